#pragma once

#include <cstdint>

#include "engine/vocabulary/text.h"

namespace tessaline {

// How the source text lays out its lines, read around the LF that ends a line.

// Where the text of the line ending at `lf` ends, behind its spaces, tabs and CR; -1 for an
// empty or blank line.
int64_t line_text_end(const TextWindow& text, int64_t lf);

// Whether a space or a tab stands between the line's text end and its LF.
bool line_ends_in_blank(const TextWindow& text, int64_t lf);

// Whether the line starting at `line_start` is empty or blank, or indented by a full-width
// space, a tab or two spaces: the marks by which books set paragraphs apart. One space is not a
// mark, as a wrap may move the space at a cut to the next line.
bool starts_paragraph(const TextWindow& text, int64_t line_start);

// The first text byte from `line_start` on, past spaces, tabs, CR and LF.
int64_t next_line_text(const TextWindow& text, int64_t line_start);

// A mark that ends a sentence: the ASCII ones, or a two-byte symbol such as a closing quote.
bool ends_sentence(const SourceChar& c);

}  // namespace tessaline
