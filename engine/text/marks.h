#pragma once

namespace tessaline {

// The bytes of the quotation marks, brackets and spaces that the line rules compare (CP949).
// A two-byte mark is the lead byte MARK_LEAD followed by its own trail byte.

inline constexpr unsigned char SPACE_BYTE = 0x20;
inline constexpr unsigned char CR_BYTE = 0x0D;
inline constexpr unsigned char LF_BYTE = 0x0A;
inline constexpr unsigned char DOUBLE_QUOTE = 0x22;
inline constexpr unsigned char APOSTROPHE = 0x27;
inline constexpr unsigned char OPEN_BRACKET = 0x5B;
inline constexpr unsigned char CLOSE_BRACKET = 0x5D;

inline constexpr unsigned char MARK_LEAD = 0xA1;
inline constexpr unsigned char FULL_WIDTH_SPACE_TRAIL = 0xA1;  // 　
inline constexpr unsigned char OPEN_SINGLE_TRAIL = 0xAE;       // ‘
inline constexpr unsigned char CLOSE_SINGLE_TRAIL = 0xAF;      // ’
inline constexpr unsigned char OPEN_DOUBLE_TRAIL = 0xB0;       // “
inline constexpr unsigned char CLOSE_DOUBLE_TRAIL = 0xB1;      // ”

// The punctuation that ends a sentence inside a line.
inline bool is_sentence_end_byte(unsigned char b) { return b == '.' || b == '!' || b == '?'; }

}  // namespace tessaline
