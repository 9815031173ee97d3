#pragma once

#include <cstdint>

namespace tessaline {

// Characters of the minimum-length field that are read; a longer number is cut here.
constexpr int min_length_digits = 9;

// The minimum line length in bytes for the text of the minimum-length field: its first nine
// characters read as a decimal integer the way atoi reads them (leading white space, an optional
// sign, digits; anything else gives 0), doubled because a Korean character takes two bytes.
int32_t min_line_bytes_from(const char* text);

}  // namespace tessaline
