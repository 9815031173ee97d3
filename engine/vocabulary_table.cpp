#include "engine/vocabulary_table.h"

#include <cstring>

namespace {

constexpr size_t FIRST_SLOTS = 1024;    // a short book's words fit without growing

uint32_t hash_bytes(const unsigned char* key, size_t length) {
    uint32_t h = 2166136261u;
    for (size_t i = 0; i < length; ++i) h = (h ^ key[i]) * 16777619u;
    return h;
}

bool slot_holds(const WordCountTable& table, const WordCountTable::Slot& slot, uint32_t hash,
                const unsigned char* key, size_t length) {
    return slot.hash == hash && slot.key_length == length &&
           std::memcmp(table.keys.data() + slot.key_offset, key, length) == 0;
}

size_t find_slot(const WordCountTable& table, uint32_t hash, const unsigned char* key, size_t length) {
    size_t mask = table.slots.size() - 1;
    size_t i = hash & mask;
    while (table.slots[i].count != 0 && !slot_holds(table, table.slots[i], hash, key, length)) i = (i + 1) & mask;
    return i;
}

// Doubles the slots when they are half full, so probes stay short.
void grow(WordCountTable& table) {
    std::vector<WordCountTable::Slot> old;
    old.swap(table.slots);
    table.slots.assign(old.empty() ? FIRST_SLOTS : old.size() * 2, WordCountTable::Slot{});
    size_t mask = table.slots.size() - 1;
    for (const WordCountTable::Slot& slot : old) {
        if (slot.count == 0) continue;
        size_t i = slot.hash & mask;
        while (table.slots[i].count != 0) i = (i + 1) & mask;
        table.slots[i] = slot;
    }
}

}  // namespace

void word_table_clear(WordCountTable& table) {
    table.slots.clear();
    table.slots.shrink_to_fit();
    table.keys.clear();
    table.keys.shrink_to_fit();
    table.used = 0;
}

void word_table_add(WordCountTable& table, const unsigned char* key, size_t length, uint32_t amount) {
    if (amount == 0) return;
    if ((table.used + 1) * 2 > table.slots.size()) grow(table);
    uint32_t hash = hash_bytes(key, length);
    WordCountTable::Slot& slot = table.slots[find_slot(table, hash, key, length)];
    if (slot.count != 0) {
        slot.count = slot.count > UINT32_MAX - amount ? UINT32_MAX : slot.count + amount;
        return;
    }
    slot = WordCountTable::Slot{hash, amount, table.keys.size(), length};
    table.keys.insert(table.keys.end(), key, key + length);
    ++table.used;
}

uint32_t word_table_count(const WordCountTable& table, const unsigned char* key, size_t length) {
    if (table.slots.empty()) return 0;
    uint32_t hash = hash_bytes(key, length);
    return table.slots[find_slot(table, hash, key, length)].count;
}
