#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// How often two characters stand side by side (together) or with one space between them (apart).
// A character is its byte, or its two CP949 bytes as a 16-bit code; the code 0 stands for "any
// syllable", so (x, 0) counts x before a syllable and (0, y) y after one.
struct PairCounts {
    uint32_t together;
    uint32_t apart;
};

struct CharPairTable {
    struct Slot {
        uint32_t key;       // 0 marks an empty slot: no real key has both codes 0
        PairCounts counts;
    };
    std::vector<Slot> slots;
    size_t used;
    // The margins, by character code: read for every pair, so kept where no hashing is needed.
    std::vector<PairCounts> before_syllable;
    std::vector<PairCounts> after_syllable;
};

void pair_table_clear(CharPairTable& table);

// Counts one meeting of `left` and `right`, together or apart, and the margin on each side that
// is a syllable.
void pair_table_count(CharPairTable& table, uint16_t left, bool left_syllable, uint16_t right,
                      bool right_syllable, bool apart);

PairCounts pair_table_find(const CharPairTable& table, uint16_t left, uint16_t right);
