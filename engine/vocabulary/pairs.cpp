#include "engine/vocabulary/pairs.h"

namespace tessaline {

namespace {

constexpr size_t first_slots = 4096;  // a short book's character pairs fit without growing

// Doubles the slots when they are half full, so probes stay short.
void grow(CharPairTable& table) {
    std::vector<CharPairTable::Slot> old;
    old.swap(table.slots);
    table.slots.assign(old.empty() ? first_slots : old.size() * 2, CharPairTable::Slot{});
    for (const CharPairTable::Slot& slot : old)
        if (slot.key != 0) table.slots[pair_slot(table, slot.key)] = slot;
}

}  // namespace

void pair_table_count(CharPairTable& table, uint32_t key, bool apart) {
    if ((table.used + 1) * 2 > table.slots.size()) grow(table);
    CharPairTable::Slot& slot = table.slots[pair_slot(table, key)];
    if (slot.key == 0) {
        slot.key = key;
        ++table.used;
    }
    count_one(slot.counts, apart);
}

}  // namespace tessaline
