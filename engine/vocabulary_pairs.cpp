#include "engine/vocabulary_pairs.h"

namespace {

constexpr size_t FIRST_SLOTS = 4096;    // a short book's character pairs fit without growing
constexpr size_t CODES = 65536;         // every character code has its margin

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

void add_one(PairCounts& counts, bool apart) {
    uint32_t& count = apart ? counts.apart : counts.together;
    if (count != UINT32_MAX) ++count;
}

}  // namespace

void pair_table_clear(CharPairTable& table) {
    table.slots.clear();
    table.slots.shrink_to_fit();
    table.used = 0;
    table.before_syllable.clear();
    table.before_syllable.shrink_to_fit();
    table.after_syllable.clear();
    table.after_syllable.shrink_to_fit();
}

void pair_table_count(CharPairTable& table, uint16_t left, bool left_syllable, uint16_t right,
                      bool right_syllable, bool apart) {
    if ((table.used + 1) * 2 > table.slots.size()) grow(table);
    if (table.before_syllable.empty()) {
        table.before_syllable.assign(CODES, PairCounts{0, 0});
        table.after_syllable.assign(CODES, PairCounts{0, 0});
    }
    uint32_t key = pair_key(left, right);
    CharPairTable::Slot& slot = table.slots[find_slot(table, key)];
    if (slot.key == 0) {
        slot.key = key;
        ++table.used;
    }
    add_one(slot.counts, apart);
    if (right_syllable) add_one(table.before_syllable[left], apart);
    if (left_syllable) add_one(table.after_syllable[right], apart);
}

PairCounts pair_table_find(const CharPairTable& table, uint16_t left, uint16_t right) {
    if (table.slots.empty()) return PairCounts{0, 0};
    if (right == 0) return table.before_syllable[left];
    if (left == 0) return table.after_syllable[right];
    return table.slots[find_slot(table, pair_key(left, right))].counts;
}
