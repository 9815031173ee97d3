#pragma once

#include <bit>
#include <cstdint>
#include <cstring>

// Searches that test eight bytes at a time: the rules pass over most bytes of a text without
// acting, and a test per byte would cost more than the rules themselves.

static_assert(std::endian::native == std::endian::little, "the first marked byte is the lowest one");

inline uint64_t load_eight(const unsigned char* bytes) {
    uint64_t word;
    std::memcpy(&word, bytes, sizeof word);
    return word;
}

inline constexpr uint64_t LOW_SEVEN_BITS = 0x7F7F7F7F7F7F7F7FULL;
inline constexpr uint64_t HIGH_BITS = 0x8080808080808080ULL;

// The high bit of every byte of `word` that equals `value`, and nothing else.
inline uint64_t bytes_equal(uint64_t word, unsigned char value) {
    uint64_t x = word ^ (0x0101010101010101ULL * value);
    uint64_t nonzero = ((x & LOW_SEVEN_BITS) + LOW_SEVEN_BITS) | x;
    return ~nonzero & HIGH_BITS;
}

// Offset of the first byte marked in `marks`, which holds at least one mark.
inline int64_t first_marked(uint64_t marks) { return std::countr_zero(marks) / 8; }

// The first position from `from` on, below `to`, whose byte is one of `Values`; `to` when none is.
template <unsigned char... Values>
int64_t find_first_of(const unsigned char* bytes, int64_t from, int64_t to) {
    for (; from + 8 <= to; from += 8) {
        uint64_t word = load_eight(bytes + from);
        uint64_t marks = (bytes_equal(word, Values) | ...);
        if (marks != 0) return from + first_marked(marks);
    }
    for (; from < to; ++from)
        if (((bytes[from] == Values) || ...)) return from;
    return to;
}
