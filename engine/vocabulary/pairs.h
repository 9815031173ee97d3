#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tessaline {

// How often a meeting of two characters is written together or across one space (apart).
struct PairCounts {
    uint32_t together;
    uint32_t apart;
};

// Counts by a 32-bit key made of two character codes, in an open-addressing hash table that
// doubles when half full: memory grows with the distinct keys, not with the text.
struct CharPairTable {
    struct Slot {
        uint32_t key;  // 0 marks an empty slot: no key is made of two codes 0
        PairCounts counts;
    };
    std::vector<Slot> slots;
    size_t used;
};

// The key of `left` followed by `right`; a character is its byte, or its two CP949 bytes as
// one 16-bit code.
inline uint32_t pair_key(uint16_t left, uint16_t right) { return (static_cast<uint32_t>(left) << 16) | right; }

// Counts one meeting, together or apart; counts stop at the largest value.
void pair_table_count(CharPairTable& table, uint32_t key, bool apart);

// The counts of the key, both 0 when it was never counted.
PairCounts pair_table_find(const CharPairTable& table, uint32_t key);

// Starts loading the key's slot into the cache, so that several lookups wait for memory at once.
void pair_table_prefetch(const CharPairTable& table, uint32_t key);

// How often each character meets a syllable together or apart, by character code: read at
// every joint, so kept where no hashing is needed. The codes come in rows by their lead byte,
// each made the first time a character of it is counted: a book uses few rows.
struct SyllableMargins {
    static constexpr size_t row_codes = 256;
    std::vector<std::vector<PairCounts>> before_syllable;  // [lead byte][trail byte]
    std::vector<std::vector<PairCounts>> after_syllable;
};

void margins_count(SyllableMargins& margins, uint16_t left, bool left_syllable, uint16_t right, bool right_syllable,
                   bool apart);
PairCounts margin_before_syllable(const SyllableMargins& margins, uint16_t code);
PairCounts margin_after_syllable(const SyllableMargins& margins, uint16_t code);

}  // namespace tessaline
