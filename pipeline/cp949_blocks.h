#pragma once

#include <cstddef>
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace tessaline {

// Korean CP949 text is checked sixteen bytes at a time where the processor compares them at once
// (SSE2): nearly every block of a novel holds only ASCII and codes whose both bytes lie in
// 0xA1-0xFE, which every lead byte takes as its trail byte, so only how the bytes pair up is left
// to check.

constexpr size_t cp949_block = 16;

// The bit after every run of set bits of `bits` (16 bits) that holds an odd number of them; bit 16
// for a run that reaches the last bit. Runs are found by their first bits, and a carry added there
// runs through the run to the bit after it.
inline uint32_t ends_of_odd_runs(uint32_t bits) {
    constexpr uint32_t even_bits = 0x15555;
    constexpr uint32_t odd_bits = 0x0AAAA;
    uint32_t starts = bits & ~(bits << 1);
    uint32_t after_even_starts = (bits + (starts & even_bits)) & ~bits;
    uint32_t after_odd_starts = (bits + (starts & odd_bits)) & ~bits;
    return (after_even_starts & odd_bits) | (after_odd_starts & even_bits);
}

// The first byte of each two-byte code in a row of set bits of `bits` (16 bits) whose runs all
// hold codes: the bits at an even distance from their run's first bit. A carry added at the
// first bits of the runs that start at an even bit clears those runs and leaves the others.
inline uint32_t lead_bits_of_runs(uint32_t bits) {
    constexpr uint32_t even_bits = 0x5555;
    constexpr uint32_t odd_bits = 0xAAAA;
    uint32_t starts = bits & ~(bits << 1);
    uint32_t started_odd = (bits + (starts & even_bits)) & bits;
    uint32_t started_even = bits & ~started_odd;
    return (started_even & even_bits) | (started_odd & odd_bits);
}

// How many of the cp949_block bytes from `bytes`, whose first byte begins a character, are text
// kept as it is and end at a character's end: no NUL, and every byte of 0x80 or above in
// 0xA1-0xFE and paired with the next. 0 when the block is not of that kind (or cannot be checked
// this way), which leaves it to the byte-by-byte check. `leads` gets the bits of the lead bytes
// among the bytes counted.
inline size_t clean_cp949_block(const unsigned char* bytes, uint32_t& leads) {
#if defined(__SSE2__)
    __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes));
    auto high = static_cast<uint32_t>(_mm_movemask_epi8(block));
    auto nul = static_cast<uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(block, _mm_setzero_si128())));
    // A byte is in 0xA1-0xFE when it is at most 0x5D above 0xA1.
    __m128i above = _mm_sub_epi8(block, _mm_set1_epi8(static_cast<char>(0xA1)));
    __m128i in_rows = _mm_cmpeq_epi8(_mm_min_epu8(above, _mm_set1_epi8(0x5D)), above);
    auto wide = static_cast<uint32_t>(_mm_movemask_epi8(in_rows));
    if (nul != 0 || (high & ~wide) != 0) return 0;
    // A run of such bytes is a row of two-byte codes from its first byte on; one of odd length
    // leaves its last lead byte without a trail byte of that kind.
    uint32_t odd = ends_of_odd_runs(high);
    if ((odd & 0xFFFF) != 0) return 0;
    // The last lead byte of a row that reaches the block's end takes its trail from the next block.
    if ((odd & 0x10000) != 0) {
        leads = lead_bits_of_runs(high & 0x7FFF);
        return cp949_block - 1;
    }
    leads = lead_bits_of_runs(high);
    return cp949_block;
#else
    (void)bytes;
    (void)leads;
    return 0;
#endif
}

// The bits of the cp949_block bytes from `bytes` that are `least` or above; 0 where the
// processor cannot compare them at once.
inline uint32_t bytes_at_least(const unsigned char* bytes, unsigned char least) {
#if defined(__SSE2__)
    __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes));
    __m128i above = _mm_cmpeq_epi8(_mm_max_epu8(block, _mm_set1_epi8(static_cast<char>(least))), block);
    return static_cast<uint32_t>(_mm_movemask_epi8(above));
#else
    (void)bytes;
    (void)least;
    return 0;
#endif
}

}  // namespace tessaline
