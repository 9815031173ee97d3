#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>

namespace tessaline {

// Runs of plain bytes found eight at a time, so that the common case of a text costs little.

inline uint64_t eight_bytes_at(const unsigned char* at) {
    uint64_t word;
    std::memcpy(&word, at, sizeof word);
    return word;
}

constexpr uint64_t each_byte = 0x0101010101010101ULL;
constexpr uint64_t high_bits = 0x8080808080808080ULL;

// Whether any of the eight bytes is below `limit` (at most 0x80).
inline bool has_byte_below(uint64_t word, unsigned limit) {
    return ((word - each_byte * limit) & ~word & high_bits) != 0;
}

// The first position from `at` on that holds a byte of 0x80 or above.
inline size_t end_of_ascii(std::span<const unsigned char> bytes, size_t at) {
    while (at + 8 <= bytes.size() && (eight_bytes_at(bytes.data() + at) & high_bits) == 0) at += 8;
    while (at < bytes.size() && bytes[at] < 0x80) ++at;
    return at;
}

}  // namespace tessaline
