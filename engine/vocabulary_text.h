#pragma once

#include <cstddef>
#include <cstdint>

// The longest syllable run taken for a word: longer runs are unspaced text, not words, and
// leaving them out keeps the tables of word pieces from growing with the square of a run.
constexpr int64_t MAX_WORD_BYTES = 32;

// A Hangul syllable or a Hanja: a two-byte CP949 character whose lead byte lies outside the
// rows of symbols (0xA1 to 0xAF).
inline bool is_syllable_lead(unsigned char b) { return b >= 0x81 && b != 0xFF && (b < 0xA1 || b > 0xAF); }

inline uint16_t syllable_code(const unsigned char* bytes) {
    return static_cast<uint16_t>((bytes[0] << 8) | bytes[1]);
}

// A run of syllables in the source text: `length` bytes from `start`, 0 when there is none.
struct SyllableRun {
    int64_t start;
    int64_t length;
};

// The run that ends just before `end`, found by reading the word it belongs to from its start,
// where the character boundaries are certain.
SyllableRun source_run_ending_at(int64_t end);

// The run that begins at `start`, which must be a character boundary.
SyllableRun source_run_starting_at(int64_t start);
