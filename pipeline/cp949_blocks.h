#pragma once

#include <cstddef>
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace tessaline {

// Korean CP949 text is checked thirty-two bytes at a time where the processor compares sixteen at
// once (SSE2): nearly every block of a novel holds only ASCII and codes whose both bytes lie in
// 0xA1-0xFE, which every lead byte takes as its trail byte, so only how the bytes pair up is left
// to check, once for the two halves together.

constexpr size_t cp949_block = 32;

// The bit after every run of set bits of `bits` (32 bits) that holds an odd number of them; bit 32
// for a run that reaches the last bit. Runs are found by their first bits, and a carry added there
// runs through the run to the bit after it.
inline uint64_t ends_of_odd_runs(uint64_t bits) {
    constexpr uint64_t even_bits = 0x155555555;
    constexpr uint64_t odd_bits = 0x0AAAAAAAA;
    uint64_t starts = bits & ~(bits << 1);
    uint64_t after_even_starts = (bits + (starts & even_bits)) & ~bits;
    uint64_t after_odd_starts = (bits + (starts & odd_bits)) & ~bits;
    return (after_even_starts & odd_bits) | (after_odd_starts & even_bits);
}

// The first byte of each two-byte code in a row of set bits of `bits` (32 bits) whose runs all
// hold codes: the bits at an even distance from their run's first bit. A carry added at the
// first bits of the runs that start at an even bit clears those runs and leaves the others.
inline uint32_t lead_bits_of_runs(uint64_t bits) {
    constexpr uint64_t even_bits = 0x55555555;
    constexpr uint64_t odd_bits = 0xAAAAAAAA;
    uint64_t starts = bits & ~(bits << 1);
    uint64_t started_odd = (bits + (starts & even_bits)) & bits;
    uint64_t started_even = bits & ~started_odd;
    return static_cast<uint32_t>((started_even & even_bits) | (started_odd & odd_bits));
}

#if defined(__SSE2__)
// The bits of the cp949_block bytes from `bytes` for which `test` gives 0xFF.
template <class Test>
uint32_t block_bits(const unsigned char* bytes, Test test) {
    auto half = [&](size_t at) {
        __m128i sixteen = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + at));
        return static_cast<uint32_t>(_mm_movemask_epi8(test(sixteen)));
    };
    return half(0) | half(16) << 16;
}
#endif

// How many of the cp949_block bytes from `bytes`, whose first byte begins a character, are text
// kept as it is and end at a character's end: no NUL, and every byte of 0x80 or above in
// 0xA1-0xFE and paired with the next. 0 when the block is not of that kind (or cannot be checked
// this way), which leaves it to the byte-by-byte check. `leads` gets the bits of the lead bytes
// among the bytes counted.
inline size_t clean_cp949_block(const unsigned char* bytes, uint32_t& leads) {
#if defined(__SSE2__)
    uint32_t high = block_bits(bytes, [](__m128i b) { return b; });
    uint32_t nul = block_bits(bytes, [](__m128i b) { return _mm_cmpeq_epi8(b, _mm_setzero_si128()); });
    // A byte is in 0xA1-0xFE when it is at most 0x5D above 0xA1.
    uint32_t wide = block_bits(bytes, [](__m128i b) {
        __m128i above = _mm_sub_epi8(b, _mm_set1_epi8(static_cast<char>(0xA1)));
        return _mm_cmpeq_epi8(_mm_min_epu8(above, _mm_set1_epi8(0x5D)), above);
    });
    if (nul != 0 || (high & ~wide) != 0) return 0;
    // A run of such bytes is a row of two-byte codes from its first byte on; one of odd length
    // leaves its last lead byte without a trail byte of that kind.
    uint64_t odd = ends_of_odd_runs(high);
    constexpr uint64_t past_last = uint64_t{1} << cp949_block;
    if ((odd & (past_last - 1)) != 0) return 0;
    // The last lead byte of a row that reaches the block's end takes its trail from the next block.
    if ((odd & past_last) != 0) {
        leads = lead_bits_of_runs(high & (past_last / 2 - 1));
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
    return block_bits(bytes, [least](__m128i b) {
        return _mm_cmpeq_epi8(_mm_max_epu8(b, _mm_set1_epi8(static_cast<char>(least))), b);
    });
#else
    (void)bytes;
    (void)least;
    return 0;
#endif
}

}  // namespace tessaline
