#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Counts per byte string (a word, or a piece of one), in an open-addressing hash table whose
// keys live in one arena: memory grows with the number of distinct strings, not with the text.
struct WordCountTable {
    struct Slot {
        uint32_t hash;
        uint32_t count;     // 0 marks an empty slot
        size_t key_offset;
        size_t key_length;
    };
    std::vector<Slot> slots;
    std::vector<unsigned char> keys;
    size_t used;
};

void word_table_clear(WordCountTable& table);

// Adds `amount` (at least 1) to the count of the string; counts stop at the largest value.
void word_table_add(WordCountTable& table, const unsigned char* key, size_t length, uint32_t amount);

// The count of the string, 0 when it was never added.
uint32_t word_table_count(const WordCountTable& table, const unsigned char* key, size_t length);
