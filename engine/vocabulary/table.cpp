#include "engine/vocabulary/table.h"

#include <bit>
#include <cstring>

namespace tessaline {

namespace {

constexpr size_t first_slots = 1024;  // a short book's words fit without growing
// The slots are at most this many tenths full: the probes stay short and the table small.
constexpr size_t most_tenths_used = 7;

static_assert(std::endian::native == std::endian::little, "a slot's short key is read back as its bytes");

// Up to eight bytes of a key as one number, the first byte lowest and the rest zero, as a copy
// into it on a little-endian processor gives them; read byte by byte, as a copy of a varying
// length would be a call.
uint64_t packed_bytes(const unsigned char* key, size_t length) {
    uint64_t packed = 0;
    for (size_t k = 0; k < length; ++k) packed |= uint64_t{key[k]} << (8 * k);
    return packed;
}

// Mixes eight bytes at a time: words are short, and this runs once per word of the book.
uint32_t hash_bytes(const unsigned char* key, size_t length) {
    uint64_t h = 0x9E3779B97F4A7C15ull ^ length;
    for (size_t i = 0; i < length; i += 8) {
        uint64_t chunk = 0;
        if (length - i >= 8) std::memcpy(&chunk, key + i, 8);
        else chunk = packed_bytes(key + i, length - i);
        h = (h ^ chunk) * 0xBF58476D1CE4E5B9ull;
        h ^= h >> 29;
    }
    return static_cast<uint32_t>(h >> 32);
}

// The slot to start probing at takes the hash's low bits; the check, its high bytes.
void set_check(WordCountTable::Slot& slot, uint32_t hash) {
    slot.check[0] = static_cast<uint8_t>(hash >> 8);
    slot.check[1] = static_cast<uint8_t>(hash >> 16);
    slot.check[2] = static_cast<uint8_t>(hash >> 24);
}

bool check_matches(const WordCountTable::Slot& slot, uint32_t hash) {
    return slot.check[0] == static_cast<uint8_t>(hash >> 8) && slot.check[1] == static_cast<uint8_t>(hash >> 16) &&
           slot.check[2] == static_cast<uint8_t>(hash >> 24);
}

// A short key as the slot holds it: its bytes, the rest zero.
uint64_t inline_key(const unsigned char* key, size_t length) { return packed_bytes(key, length); }

bool same_key(const WordCountTable& table, const WordCountTable::Slot& slot, const WordKey& key) {
    if (key.length <= inline_key_bytes) return slot.key == inline_key(key.bytes, key.length);
    return std::memcmp(table.keys.data() + slot.key, key.bytes, key.length) == 0;
}

size_t find_slot(const WordCountTable& table, const WordKey& key) {
    size_t mask = table.slots.size() - 1;
    for (size_t i = key.hash & mask;; i = (i + 1) & mask) {
        const WordCountTable::Slot& slot = table.slots[i];
        if (slot.key_length == 0) return i;
        if (slot.key_length == key.length && check_matches(slot, key.hash) && same_key(table, slot, key)) return i;
    }
}

uint64_t stored_key(WordCountTable& table, const WordKey& key) {
    if (key.length <= inline_key_bytes) return inline_key(key.bytes, key.length);
    uint64_t offset = table.keys.size();
    table.keys.insert(table.keys.end(), key.bytes, key.bytes + key.length);
    return offset;
}

bool too_full(size_t used, size_t slots) { return used * 10 > slots * most_tenths_used; }

// Rebuilds the slots with room for `needed` strings, so probes stay short. A slot's home is
// found again from its key, as the slot keeps only part of the hash.
void rehash(WordCountTable& table, size_t needed) {
    size_t size = table.slots.empty() ? first_slots : table.slots.size();
    while (too_full(needed, size)) size *= 2;
    if (size == table.slots.size()) return;
    std::vector<WordCountTable::Slot> old;
    old.swap(table.slots);
    table.slots.assign(size, WordCountTable::Slot{});
    size_t mask = size - 1;
    for (const WordCountTable::Slot& slot : old) {
        if (slot.key_length == 0) continue;
        size_t i = hash_bytes(word_slot_key(table, slot), slot.key_length) & mask;
        while (table.slots[i].key_length != 0) i = (i + 1) & mask;
        table.slots[i] = slot;
    }
}

void add_to(uint32_t& count, uint32_t amount) { count = count > UINT32_MAX - amount ? UINT32_MAX : count + amount; }

}  // namespace

WordKey word_key(const unsigned char* bytes, size_t length) {
    return WordKey{bytes, length, hash_bytes(bytes, length)};
}

void word_table_add(WordCountTable& table, const unsigned char* bytes, size_t length, WordRole role, uint32_t amount) {
    if (length == 0 || length > longest_key_bytes || amount == 0) return;
    if (too_full(table.used + 1, table.slots.size())) rehash(table, table.used + 1);
    WordKey key = word_key(bytes, length);
    WordCountTable::Slot& slot = table.slots[find_slot(table, key)];
    if (slot.key_length == 0) {
        slot = WordCountTable::Slot{stored_key(table, key), WordCounts{0, 0, 0}, static_cast<uint8_t>(length), {}};
        set_check(slot, key.hash);
        ++table.used;
    }
    uint32_t& count = role == WordRole::WHOLE       ? slot.counts.whole
                      : role == WordRole::BEGINNING ? slot.counts.beginning
                                                    : slot.counts.ending;
    add_to(count, amount);
}

void word_table_prefetch(const WordCountTable& table, const WordKey& key) {
    if (!table.slots.empty() && key.length != 0) __builtin_prefetch(&table.slots[key.hash & (table.slots.size() - 1)]);
}

WordCounts word_table_find(const WordCountTable& table, const WordKey& key) {
    if (table.slots.empty() || key.length == 0 || key.length > longest_key_bytes) return WordCounts{0, 0, 0};
    return table.slots[find_slot(table, key)].counts;
}

const unsigned char* word_slot_key(const WordCountTable& table, const WordCountTable::Slot& slot) {
    if (slot.key_length <= inline_key_bytes) return reinterpret_cast<const unsigned char*>(&slot.key);
    return table.keys.data() + slot.key;
}

}  // namespace tessaline
