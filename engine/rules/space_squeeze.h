#pragma once

namespace tessaline {

struct LineText;

// Squeezes every inner run of spaces in the line to one space.
void squeeze_spaces(LineText& line);

}  // namespace tessaline
