#pragma once

#include <cstddef>
#include <cstdint>

#include "engine/text/marks.h"
#include "engine/text/text_window.h"

namespace tessaline {

// The longest syllable run taken for a word: longer runs are unspaced text, not words, and
// leaving them out keeps the tables of word pieces from growing with the square of a run.
constexpr int64_t max_word_bytes = 32;

// A Hangul syllable or a Hanja: a two-byte CP949 character whose lead byte lies outside the
// rows of symbols.
inline bool is_syllable_lead(unsigned char b) {
    return b >= 0x81 && b != 0xFF && (b < mark_lead || b > last_symbol_lead);
}

// Bytes that separate characters without being one: no pair is counted across them.
inline bool is_blank_byte(unsigned char b) { return b == ' ' || b == '\t' || b == '\r' || b == '\n'; }

// A character of the source text: its bytes as one code (a byte, or lead and trail byte), 0 when
// there is none.
struct SourceChar {
    int64_t start;
    int64_t width;
    uint16_t code;
    bool syllable;
};

// A run of syllables in the source text: `length` bytes from `start`, 0 when there is none.
struct SyllableRun {
    int64_t start;
    int64_t length;
};

// The character at `pos`, which must be a character boundary; none at a blank or the end.
// Inline, as every joint reads its words character by character.
inline SourceChar source_char_at(const TextWindow& text, int64_t pos) {
    unsigned char lead = text.at(pos);
    if (lead == 0 || is_blank_byte(lead)) return SourceChar{pos, 0, 0, false};
    unsigned char trail = text.at(pos + 1);
    if (lead < 0x81 || trail == 0 || is_blank_byte(trail)) return SourceChar{pos, 1, lead, false};
    return SourceChar{pos, 2, static_cast<uint16_t>((lead << 8) | trail), is_syllable_lead(lead)};
}

// The character that ends just before `end`, and the syllable run it closes, found by reading
// the word they belong to from its start, where the character boundaries are certain.
SourceChar source_char_ending_at(const TextWindow& text, int64_t end, SyllableRun* run);

// The run that begins at `start`, which must be a character boundary.
SyllableRun source_run_starting_at(const TextWindow& text, int64_t start);

}  // namespace tessaline
