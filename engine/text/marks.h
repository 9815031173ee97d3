#pragma once

namespace tessaline {

// The bytes of the marks, brackets and spaces that the engine compares (CP949), each named once.
// A two-byte mark is the lead byte mark_lead followed by its own trail byte.

inline constexpr unsigned char space_byte = 0x20;
inline constexpr unsigned char cr_byte = 0x0D;
inline constexpr unsigned char lf_byte = 0x0A;
inline constexpr unsigned char double_quote = 0x22;
inline constexpr unsigned char apostrophe_byte = 0x27;
inline constexpr unsigned char open_bracket = 0x5B;
inline constexpr unsigned char close_bracket = 0x5D;

// Lead byte of CP949's first row of symbols: the full-width space, “ ” ‘ ’, … and the like.
inline constexpr unsigned char mark_lead = 0xA1;
// Lead byte of CP949's last row of symbols: the rows from mark_lead to here hold no syllables.
inline constexpr unsigned char last_symbol_lead = 0xAF;
inline constexpr unsigned char full_width_space_trail = 0xA1;  // 　
inline constexpr unsigned char open_single_trail = 0xAE;       // ‘
inline constexpr unsigned char close_single_trail = 0xAF;      // ’
inline constexpr unsigned char open_double_trail = 0xB0;       // “
inline constexpr unsigned char close_double_trail = 0xB1;      // ”

// Put at every joint with --mark-joins, so that a reader can check the joints.
inline constexpr char join_mark = '`';

// The punctuation that ends a sentence inside a line.
inline bool is_sentence_end_byte(unsigned char b) { return b == '.' || b == '!' || b == '?'; }

}  // namespace tessaline
