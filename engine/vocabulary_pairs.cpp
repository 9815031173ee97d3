#include "engine/vocabulary_pairs.h"

namespace {

constexpr size_t FIRST_SLOTS = 4096;    // a short book's syllable pairs fit without growing

uint32_t pair_key(uint16_t left, uint16_t right) { return (static_cast<uint32_t>(left) << 16) | right; }

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
    table.slots.assign(old.empty() ? FIRST_SLOTS : old.size() * 2, CharPairTable::Slot{});
    for (const CharPairTable::Slot& slot : old)
        if (slot.key != 0) table.slots[find_slot(table, slot.key)] = slot;
}

void count_key(CharPairTable& table, uint32_t key, bool apart) {
    if ((table.used + 1) * 2 > table.slots.size()) grow(table);
    CharPairTable::Slot& slot = table.slots[find_slot(table, key)];
    if (slot.key == 0) {
        slot.key = key;
        ++table.used;
    }
    uint32_t& count = apart ? slot.counts.apart : slot.counts.together;
    if (count != UINT32_MAX) ++count;
}

}  // namespace

void pair_table_clear(CharPairTable& table) {
    table.slots.clear();
    table.slots.shrink_to_fit();
    table.used = 0;
}

void pair_table_count(CharPairTable& table, uint16_t left, bool left_syllable, uint16_t right,
                      bool right_syllable, bool apart) {
    count_key(table, pair_key(left, right), apart);
    if (right_syllable) count_key(table, pair_key(left, 0), apart);
    if (left_syllable) count_key(table, pair_key(0, right), apart);
}

PairCounts pair_table_find(const CharPairTable& table, uint16_t left, uint16_t right) {
    if (table.slots.empty()) return PairCounts{0, 0};
    return table.slots[find_slot(table, pair_key(left, right))].counts;
}
