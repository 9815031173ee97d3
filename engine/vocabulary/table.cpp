#include "engine/vocabulary/table.h"

#include <cstring>

namespace tessaline {

namespace {

constexpr size_t FIRST_SLOTS = 1024;    // a short book's words fit without growing

// Mixes eight bytes at a time: words are short, and this runs once per word of the book.
uint32_t hash_bytes(const unsigned char* key, size_t length) {
    uint64_t h = 0x9E3779B97F4A7C15ull ^ length;
    for (size_t i = 0; i < length; i += 8) {
        uint64_t chunk = 0;
        std::memcpy(&chunk, key + i, length - i < 8 ? length - i : 8);
        h = (h ^ chunk) * 0xBF58476D1CE4E5B9ull;
        h ^= h >> 29;
    }
    return static_cast<uint32_t>(h >> 32);
}

// A short key as the slot holds it: its bytes, the rest zero.
uint64_t inline_key(const unsigned char* key, size_t length) {
    uint64_t packed = 0;
    std::memcpy(&packed, key, length);
    return packed;
}

bool same_key(const WordCountTable& table, const WordCountTable::Slot& slot, const unsigned char* key, size_t length) {
    if (length <= INLINE_KEY_BYTES) return slot.key == inline_key(key, length);
    return std::memcmp(table.keys.data() + slot.key, key, length) == 0;
}

size_t find_slot(const WordCountTable& table, uint32_t hash, const unsigned char* key, size_t length) {
    size_t mask = table.slots.size() - 1;
    size_t i = hash & mask;
    for (;; i = (i + 1) & mask) {
        const WordCountTable::Slot& slot = table.slots[i];
        if (slot.key_length == 0) return i;
        if (slot.hash == hash && slot.key_length == length && same_key(table, slot, key, length)) return i;
    }
}

uint64_t stored_key(WordCountTable& table, const unsigned char* key, size_t length) {
    if (length <= INLINE_KEY_BYTES) return inline_key(key, length);
    uint64_t offset = table.keys.size();
    table.keys.insert(table.keys.end(), key, key + length);
    return offset;
}

// Rebuilds the slots with room for `needed` strings at most half full, so probes stay short.
void rehash(WordCountTable& table, size_t needed) {
    size_t size = table.slots.empty() ? FIRST_SLOTS : table.slots.size();
    while (size < needed * 2) size *= 2;
    if (size == table.slots.size()) return;
    std::vector<WordCountTable::Slot> old;
    old.swap(table.slots);
    table.slots.assign(size, WordCountTable::Slot{});
    size_t mask = size - 1;
    for (const WordCountTable::Slot& slot : old) {
        if (slot.key_length == 0) continue;
        size_t i = slot.hash & mask;
        while (table.slots[i].key_length != 0) i = (i + 1) & mask;
        table.slots[i] = slot;
    }
}

void add_to(uint32_t& count, uint32_t amount) { count = count > UINT32_MAX - amount ? UINT32_MAX : count + amount; }

}  // namespace

void word_table_add(WordCountTable& table, const unsigned char* key, size_t length, WordRole role, uint32_t amount) {
    if (length == 0 || amount == 0) return;
    if ((table.used + 1) * 2 > table.slots.size()) rehash(table, table.used + 1);
    uint32_t hash = hash_bytes(key, length);
    WordCountTable::Slot& slot = table.slots[find_slot(table, hash, key, length)];
    if (slot.key_length == 0) {
        slot = WordCountTable::Slot{hash, static_cast<uint32_t>(length), stored_key(table, key, length), WordCounts{0, 0, 0}};
        ++table.used;
    }
    uint32_t& count = role == WordRole::WHOLE ? slot.counts.whole
                      : role == WordRole::BEGINNING ? slot.counts.beginning
                                                    : slot.counts.ending;
    add_to(count, amount);
}

void word_table_prefetch(const WordCountTable& table, const unsigned char* key, size_t length) {
    if (!table.slots.empty() && length != 0) __builtin_prefetch(&table.slots[hash_bytes(key, length) & (table.slots.size() - 1)]);
}

WordCounts word_table_find(const WordCountTable& table, const unsigned char* key, size_t length) {
    if (table.slots.empty() || length == 0) return WordCounts{0, 0, 0};
    return table.slots[find_slot(table, hash_bytes(key, length), key, length)].counts;
}

const unsigned char* word_slot_key(const WordCountTable& table, const WordCountTable::Slot& slot) {
    if (slot.key_length <= INLINE_KEY_BYTES) return reinterpret_cast<const unsigned char*>(&slot.key);
    return table.keys.data() + slot.key;
}

}  // namespace tessaline
