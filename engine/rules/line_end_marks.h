#pragma once

namespace tessaline {

struct LineText;

// The last character of the line's text before its CR LF, one trailing space skipped, and the
// byte before it.
unsigned char last_text_char(const LineText& line);
unsigned char byte_before_last_char(const LineText& line);

// A mark that may end a short line without its being broken off from the previous line.
bool is_short_line_stopper(const LineText& line);

// A mark after which the line keeps its line break.
bool is_keep_mark(const LineText& line);

}  // namespace tessaline
