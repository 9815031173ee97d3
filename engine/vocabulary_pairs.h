#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// How often two syllables stand side by side (together) or with one space between them (apart).
// A syllable is its two CP949 bytes as a 16-bit code; the code 0 stands for "any syllable", so
// (x, 0) counts what follows x and (0, y) what precedes y.
struct PairCounts {
    uint32_t together;
    uint32_t apart;
};

struct SyllablePairTable {
    struct Slot {
        uint32_t key;       // 0 marks an empty slot: no real key has both codes 0
        PairCounts counts;
    };
    std::vector<Slot> slots;
    size_t used;
};

void pair_table_clear(SyllablePairTable& table);

// Counts one meeting of `left` and `right`, together or apart, with both of its margins.
void pair_table_count(SyllablePairTable& table, uint16_t left, uint16_t right, bool apart);

PairCounts pair_table_find(const SyllablePairTable& table, uint16_t left, uint16_t right);
