#include "engine/vocabulary/pairs.h"

namespace tessaline {

namespace {

constexpr size_t first_slots = 4096;  // a short book's character pairs fit without growing

// Fibonacci hashing spreads the neighbouring codes of one syllable row over the whole table.
size_t home(uint32_t key, size_t mask) { return static_cast<size_t>((key * 0x9E3779B97F4A7C15ull) >> 32) & mask; }

size_t find_slot(const CharPairTable& table, uint32_t key) {
    size_t mask = table.slots.size() - 1;
    size_t i = home(key, mask);
    while (table.slots[i].key != 0 && table.slots[i].key != key) i = (i + 1) & mask;
    return i;
}

// Doubles the slots when they are half full, so probes stay short.
void grow(CharPairTable& table) {
    std::vector<CharPairTable::Slot> old;
    old.swap(table.slots);
    table.slots.assign(old.empty() ? first_slots : old.size() * 2, CharPairTable::Slot{});
    for (const CharPairTable::Slot& slot : old)
        if (slot.key != 0) table.slots[find_slot(table, slot.key)] = slot;
}

void add_one(PairCounts& counts, bool apart) {
    uint32_t& count = apart ? counts.apart : counts.together;
    if (count != UINT32_MAX) ++count;
}

using MarginRows = std::vector<std::vector<PairCounts>>;

PairCounts& margin_cell(MarginRows& rows, uint16_t code) {
    size_t lead = code >> 8;
    if (rows.empty()) rows.resize(SyllableMargins::row_codes);
    if (rows[lead].empty()) rows[lead].assign(SyllableMargins::row_codes, PairCounts{0, 0});
    return rows[lead][code & 0xFF];
}

PairCounts margin_of(const MarginRows& rows, uint16_t code) {
    size_t lead = code >> 8;
    if (rows.empty() || rows[lead].empty()) return PairCounts{0, 0};
    return rows[lead][code & 0xFF];
}

}  // namespace

void pair_table_count(CharPairTable& table, uint32_t key, bool apart) {
    if ((table.used + 1) * 2 > table.slots.size()) grow(table);
    CharPairTable::Slot& slot = table.slots[find_slot(table, key)];
    if (slot.key == 0) {
        slot.key = key;
        ++table.used;
    }
    add_one(slot.counts, apart);
}

void pair_table_prefetch(const CharPairTable& table, uint32_t key) {
    if (!table.slots.empty()) __builtin_prefetch(&table.slots[home(key, table.slots.size() - 1)]);
}

PairCounts pair_table_find(const CharPairTable& table, uint32_t key) {
    if (table.slots.empty()) return PairCounts{0, 0};
    return table.slots[find_slot(table, key)].counts;
}

void margins_count(SyllableMargins& margins, uint16_t left, bool left_syllable, uint16_t right, bool right_syllable,
                   bool apart) {
    if (right_syllable) add_one(margin_cell(margins.before_syllable, left), apart);
    if (left_syllable) add_one(margin_cell(margins.after_syllable, right), apart);
}

PairCounts margin_before_syllable(const SyllableMargins& margins, uint16_t code) {
    return margin_of(margins.before_syllable, code);
}

PairCounts margin_after_syllable(const SyllableMargins& margins, uint16_t code) {
    return margin_of(margins.after_syllable, code);
}

}  // namespace tessaline
