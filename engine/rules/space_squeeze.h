#pragma once

#include <cstdint>

namespace tessaline {

struct LineText;

// Squeezes every inner run of spaces in the line to one space, from position `from` on (the
// bytes before it have gone out already, and no run of spaces reaches them).
void squeeze_spaces(LineText& line, int64_t from = 0);

// The same over bytes from..to of a line whose first bytes lie at `bytes` and which goes on after
// `to`, the byte before `to` not a space. Returns where the squeezed bytes end.
int64_t squeeze_line_piece(unsigned char* bytes, int64_t from, int64_t to);

}  // namespace tessaline
