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

// Where a key's probing starts: Fibonacci hashing spreads the neighbouring codes of one syllable
// row over the whole table.
inline size_t pair_home(uint32_t key, size_t mask) {
    return static_cast<size_t>((key * 0x9E3779B97F4A7C15ull) >> 32) & mask;
}

// The key's slot, or the empty slot where it would go. Inline, as every joint and every
// character gathered looks keys up.
inline size_t pair_slot(const CharPairTable& table, uint32_t key) {
    size_t mask = table.slots.size() - 1;
    size_t i = pair_home(key, mask);
    while (table.slots[i].key != 0 && table.slots[i].key != key) i = (i + 1) & mask;
    return i;
}

// Counts one meeting, together or apart; counts stop at the largest value.
void pair_table_count(CharPairTable& table, uint32_t key, bool apart);

// The counts of the key, both 0 when it was never counted.
inline PairCounts pair_table_find(const CharPairTable& table, uint32_t key) {
    if (table.slots.empty()) return PairCounts{0, 0};
    return table.slots[pair_slot(table, key)].counts;
}

// Starts loading the key's slot into the cache, so that several lookups wait for memory at once.
inline void pair_table_prefetch(const CharPairTable& table, uint32_t key) {
    if (!table.slots.empty()) __builtin_prefetch(&table.slots[pair_home(key, table.slots.size() - 1)]);
}

// How often each character meets a syllable together or apart, by character code: read at
// every joint, so kept where no hashing is needed. The codes come in rows by their lead byte,
// each made the first time a character of it is counted: a book uses few rows.
struct MarginRows {
    static constexpr size_t row_codes = 256;
    uint8_t place[row_codes]{};        // by lead byte: 1 + the row's index among those made, 0 for none
    std::vector<PairCounts> counts{};  // the rows made, row_codes codes each
};

struct SyllableMargins {
    MarginRows before_syllable;
    MarginRows after_syllable;
};

// The counts of a code, its row made if need be; inline, as every character gathered counts two.
inline PairCounts& margin_cell(MarginRows& rows, uint16_t code) {
    uint8_t& place = rows.place[code >> 8];
    if (place == 0) {
        rows.counts.resize(rows.counts.size() + MarginRows::row_codes, PairCounts{0, 0});
        place = static_cast<uint8_t>(rows.counts.size() / MarginRows::row_codes);
    }
    return rows.counts[(place - 1u) * MarginRows::row_codes + (code & 0xFF)];
}

inline PairCounts margin_of(const MarginRows& rows, uint16_t code) {
    uint8_t place = rows.place[code >> 8];
    return place == 0 ? PairCounts{0, 0} : rows.counts[(place - 1u) * MarginRows::row_codes + (code & 0xFF)];
}

// Counts one meeting, together or apart; counts stop at the largest value.
inline void count_one(PairCounts& counts, bool apart) {
    uint32_t& count = apart ? counts.apart : counts.together;
    if (count != UINT32_MAX) ++count;
}

inline void margins_count(SyllableMargins& margins, uint16_t left, bool left_syllable, uint16_t right,
                          bool right_syllable, bool apart) {
    if (right_syllable) count_one(margin_cell(margins.before_syllable, left), apart);
    if (left_syllable) count_one(margin_cell(margins.after_syllable, right), apart);
}

inline PairCounts margin_before_syllable(const SyllableMargins& margins, uint16_t code) {
    return margin_of(margins.before_syllable, code);
}

inline PairCounts margin_after_syllable(const SyllableMargins& margins, uint16_t code) {
    return margin_of(margins.after_syllable, code);
}

}  // namespace tessaline
