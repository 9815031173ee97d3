#pragma once

#include <bit>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace tessaline {

// Searches that test eight bytes at a time: the rules pass over most bytes of a text without
// acting, and a test per byte would cost more than the rules themselves.

static_assert(std::endian::native == std::endian::little, "the first marked byte is the lowest one");

inline uint64_t load_eight(const unsigned char* bytes) {
    uint64_t word;
    std::memcpy(&word, bytes, sizeof word);
    return word;
}

inline constexpr uint64_t low_seven_bits = 0x7F7F7F7F7F7F7F7FULL;
inline constexpr uint64_t high_bits = 0x8080808080808080ULL;

// The high bit of every byte of `word` that equals `value`, and nothing else.
inline uint64_t bytes_equal(uint64_t word, unsigned char value) {
    uint64_t x = word ^ (0x0101010101010101ULL * value);
    uint64_t nonzero = ((x & low_seven_bits) + low_seven_bits) | x;
    return ~nonzero & high_bits;
}

// Offset of the first byte marked in `marks`, which holds at least one mark.
inline int64_t first_marked(uint64_t marks) { return std::countr_zero(marks) / 8; }

// A search may read this many bytes past the end of the bytes it searches, which must be there
// (a line keeps them): the last block is read whole and what lies past the end is masked off.
inline constexpr size_t search_slack = 16;

#if defined(__SSE2__)
// The first position from `from` on, below `to`, marked by `marks_at`, which marks the sixteen
// bytes from a position; `to` when none is. Only the last block, read past `to`, is masked.
template <typename MarksAt>
int64_t first_marked_block(MarksAt marks_at, int64_t from, int64_t to) {
    for (; from + 16 <= to; from += 16) {
        unsigned marks = marks_at(from);
        if (marks != 0) return from + std::countr_zero(marks);
    }
    if (from >= to) return to;
    unsigned marks = marks_at(from) & ((1u << (to - from)) - 1);
    return marks != 0 ? from + std::countr_zero(marks) : to;
}
#endif

// The first position from `from` on, below `to`, whose byte is one of `Values`; `to` when none is.
// Sixteen bytes at a time where the processor compares them at once (SSE2), else eight.
template <unsigned char... Values>
int64_t find_first_of(const unsigned char* bytes, int64_t from, int64_t to) {
#if defined(__SSE2__)
    auto marks_at = [bytes](int64_t at) {
        __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + at));
        __m128i hits = (_mm_cmpeq_epi8(block, _mm_set1_epi8(static_cast<char>(Values))) | ...);
        return static_cast<unsigned>(_mm_movemask_epi8(hits));
    };
    return first_marked_block(marks_at, from, to);
#else
    for (; from < to; from += 8) {
        uint64_t word = load_eight(bytes + from);
        uint64_t marks = (bytes_equal(word, Values) | ...);
        if (to - from < 8) marks &= (uint64_t{1} << (8 * (to - from))) - 1;
        if (marks != 0) return from + first_marked(marks);
    }
#endif
    return to;
}

// The position of the `n`-th byte `Value` from `from` on, below `to`; `to` when fewer stand there,
// `n` then lessened by those passed. Where SSE2 is there the bytes are counted 64 at a time, as
// most of them are passed without a look. Reads search_slack bytes past `to`, like find_first_of.
template <unsigned char Value>
int64_t find_nth_of(const unsigned char* bytes, int64_t from, int64_t to, int64_t& n) {
#if defined(__SSE2__)
    const __m128i value = _mm_set1_epi8(static_cast<char>(Value));
    // Each equal byte compares to -1, so subtracting the comparisons counts them byte by byte.
    auto count_in = [bytes, value](__m128i counts, int64_t at) {
        return _mm_sub_epi8(counts,
                            _mm_cmpeq_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + at)), value));
    };
    for (; from + 64 <= to; from += 64) {
        __m128i counts = _mm_setzero_si128();
        for (int64_t block = 0; block < 64; block += 16) counts = count_in(counts, from + block);
        __m128i sums = _mm_sad_epu8(counts, _mm_setzero_si128());
        int64_t found = _mm_cvtsi128_si32(sums) + _mm_extract_epi16(sums, 4);
        if (found >= n) break;
        n -= found;
    }
#endif
    for (;; ++from) {
        from = find_first_of<Value>(bytes, from, to);
        if (from == to || --n == 0) return from;
    }
}

// The first position from `from` on, below `to`, whose byte is one of `Values` or is `Lead` with
// `TrailA` or `TrailB` after it; `to` when none is. Reads search_slack bytes past `to`, like
// find_first_of.
template <unsigned char Lead, unsigned char TrailA, unsigned char TrailB, unsigned char... Values>
int64_t find_first_of_or_pair(const unsigned char* bytes, int64_t from, int64_t to) {
#if defined(__SSE2__)
    auto marks_at = [bytes](int64_t at) {
        __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + at));
        __m128i next = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + at + 1));
        __m128i pairs = _mm_and_si128(_mm_cmpeq_epi8(block, _mm_set1_epi8(static_cast<char>(Lead))),
                                      _mm_or_si128(_mm_cmpeq_epi8(next, _mm_set1_epi8(static_cast<char>(TrailA))),
                                                   _mm_cmpeq_epi8(next, _mm_set1_epi8(static_cast<char>(TrailB)))));
        __m128i hits = (_mm_cmpeq_epi8(block, _mm_set1_epi8(static_cast<char>(Values))) | ... | pairs);
        return static_cast<unsigned>(_mm_movemask_epi8(hits));
    };
    return first_marked_block(marks_at, from, to);
#else
    for (; from < to; from += 8) {
        uint64_t word = load_eight(bytes + from);
        uint64_t next = load_eight(bytes + from + 1);
        uint64_t pairs = bytes_equal(word, Lead) & (bytes_equal(next, TrailA) | bytes_equal(next, TrailB));
        uint64_t marks = (bytes_equal(word, Values) | ... | pairs);
        if (to - from < 8) marks &= (uint64_t{1} << (8 * (to - from))) - 1;
        if (marks != 0) return from + first_marked(marks);
    }
#endif
    return to;
}

// The last position below `to`, from `from` on, whose byte is `Value`; `from` - 1 when none is.
template <unsigned char Value>
int64_t find_last_of(const unsigned char* bytes, int64_t from, int64_t to) {
#if defined(__SSE2__)
    for (; to - 16 >= from; to -= 16) {
        __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + to - 16));
        auto marks =
            static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(block, _mm_set1_epi8(static_cast<char>(Value)))));
        if (marks != 0) return to - 16 + (31 - std::countl_zero(marks));
    }
#endif
    while (--to >= from)
        if (bytes[to] == Value) return to;
    return from - 1;
}

// The first position from `from` on at which `first` stands with `second` right after it, both
// below `to`; `to` when there is none.
inline int64_t find_pair(const unsigned char* bytes, int64_t from, int64_t to, unsigned char first,
                         unsigned char second) {
#if defined(__SSE2__)
    for (; from + 17 <= to; from += 16) {
        __m128i here = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + from));
        __m128i next = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + from + 1));
        __m128i hits = _mm_and_si128(_mm_cmpeq_epi8(here, _mm_set1_epi8(static_cast<char>(first))),
                                     _mm_cmpeq_epi8(next, _mm_set1_epi8(static_cast<char>(second))));
        int marks = _mm_movemask_epi8(hits);
        if (marks != 0) return from + std::countr_zero(static_cast<unsigned>(marks));
    }
#endif
    for (; from + 9 <= to; from += 8) {
        uint64_t pairs =
            bytes_equal(load_eight(bytes + from), first) & bytes_equal(load_eight(bytes + from + 1), second);
        if (pairs != 0) return from + first_marked(pairs);
    }
    for (; from + 1 < to; ++from)
        if (bytes[from] == first && bytes[from + 1] == second) return from;
    return to;
}

}  // namespace tessaline
