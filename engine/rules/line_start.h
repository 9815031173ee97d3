#pragma once

namespace tessaline {

struct Conversion;

// Tidies both ends of the line and separates it from the output text as its opening and the
// previous line's closing quote ask.
void normalise_line_start(Conversion& cv);

}  // namespace tessaline
