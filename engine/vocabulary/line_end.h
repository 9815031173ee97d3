#pragma once

namespace tessaline {

struct Conversion;

// The line end in the vocabulary mode: the rules' decision (`joined_by_rules`), a layout joint where
// the book shows that the wrap cut the line, and the space at the joint by the rules and then by
// the book's evidence. How the line then differs from the rules' own is expected for the
// long-sentence pass.
void decide_book_line_end(Conversion& cv, bool joined_by_rules);

}  // namespace tessaline
