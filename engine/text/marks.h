#pragma once

namespace tessaline {

// The bytes of the marks, brackets and spaces that the engine compares (CP949), each named once.
// A two-byte mark is the lead byte MARK_LEAD followed by its own trail byte.

inline constexpr unsigned char SPACE_BYTE = 0x20;
inline constexpr unsigned char CR_BYTE = 0x0D;
inline constexpr unsigned char LF_BYTE = 0x0A;
inline constexpr unsigned char DOUBLE_QUOTE = 0x22;
inline constexpr unsigned char APOSTROPHE = 0x27;
inline constexpr unsigned char OPEN_BRACKET = 0x5B;
inline constexpr unsigned char CLOSE_BRACKET = 0x5D;

// Lead byte of CP949's first row of symbols: the full-width space, “ ” ‘ ’, … and the like.
inline constexpr unsigned char MARK_LEAD = 0xA1;
// Lead byte of CP949's last row of symbols: the rows from MARK_LEAD to here hold no syllables.
inline constexpr unsigned char LAST_SYMBOL_LEAD = 0xAF;
inline constexpr unsigned char FULL_WIDTH_SPACE_TRAIL = 0xA1;  // 　
inline constexpr unsigned char OPEN_SINGLE_TRAIL = 0xAE;       // ‘
inline constexpr unsigned char CLOSE_SINGLE_TRAIL = 0xAF;      // ’
inline constexpr unsigned char OPEN_DOUBLE_TRAIL = 0xB0;       // “
inline constexpr unsigned char CLOSE_DOUBLE_TRAIL = 0xB1;      // ”

// Put at every joint with --mark-joins, so that a reader can check the joints.
inline constexpr char JOIN_MARK = '`';

// The punctuation that ends a sentence inside a line.
inline bool is_sentence_end_byte(unsigned char b) { return b == '.' || b == '!' || b == '?'; }

}  // namespace tessaline
