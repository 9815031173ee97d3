#pragma once

#include <cstddef>

// The two lines of the footer every result ends with, before the date and its closing bracket.
extern const char FOOTER_VERSION_LINE[];     // "[modify by Tessaline  beta2 ver 2010.7.7]"
extern const char FOOTER_DATE_OPENING[];     // "[Text modified date: "

// The length of the text without a footer of this program at its very end (its two lines, with
// CR LF or LF line ends, followed by nothing but spaces and line breaks), so that converting a
// result again replaces its footer instead of adding a second one. The footer's first line must
// begin a line. Without such a footer the whole length.
size_t length_without_own_footer(const unsigned char* text, size_t length);
