#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tessaline {

// What a book says about one byte string: how often it is a whole word, and how often the
// proper beginning or the proper ending of a longer word.
struct WordCounts {
    uint32_t whole;
    uint32_t beginning;
    uint32_t ending;
};

// Keys up to this many bytes (words of up to four syllables) are kept in their slot, so a
// lookup touches one place in memory; longer keys live in the arena.
constexpr size_t inline_key_bytes = 8;
// The longest key counted: far more than the longest word the vocabulary takes.
constexpr size_t longest_key_bytes = 255;

// The counts per byte string, in an open-addressing hash table whose longer keys live in one
// arena: memory grows with the number of distinct strings, not with the text. A slot takes 24
// bytes, so that the table of a long book's words stays near the processor's caches.
struct WordCountTable {
    struct Slot {
        uint64_t key;  // the key's bytes when it is short, else its offset in the arena
        WordCounts counts;
        uint8_t key_length;  // 0 marks an empty slot: no key is empty
        uint8_t check[3];    // three bytes of the key's hash, compared before the keys are
    };
    std::vector<Slot> slots;
    std::vector<unsigned char> keys;
    size_t used;
};

// A string to look up, with its hash, computed once for its prefetch and its lookup.
struct WordKey {
    const unsigned char* bytes;
    size_t length;
    uint32_t hash;
};

WordKey word_key(const unsigned char* bytes, size_t length);

enum class WordRole { WHOLE, BEGINNING, ENDING };

// Adds `amount` to one count of a string of 1 to longest_key_bytes bytes; counts stop at the
// largest value.
void word_table_add(WordCountTable& table, const unsigned char* key, size_t length, WordRole role, uint32_t amount);

// The bytes of a slot's key, `slot.key_length` of them.
const unsigned char* word_slot_key(const WordCountTable& table, const WordCountTable::Slot& slot);

// The counts of the string, all 0 when it was never added.
WordCounts word_table_find(const WordCountTable& table, const WordKey& key);

// Starts loading the string's slot into the cache, so that several lookups wait for memory at once.
void word_table_prefetch(const WordCountTable& table, const WordKey& key);

}  // namespace tessaline
