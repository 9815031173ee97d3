#pragma once

#include <cstdint>

namespace tessaline {

struct BookVocabulary;
struct Conversion;
class TextWindow;

// In the vocabulary mode: joins a line that the rules kept only for the mark that ends it, when the
// book's own layout shows that the wrap, not the author, ended the line there (the book marks
// its paragraphs and the next line carries no mark, the wrap kept the author's space after the
// mark, or the line fills the book's wrap width and ends no sentence among long ones). Returns
// whether the line was joined, with the joint prepared for the spacing rules.
bool continue_by_book_layout(Conversion& cv);

// In the vocabulary mode: keeps the line break that the rules would join across, when the book's own
// layout shows that its paragraph ends there: the next line carries the book's paragraph mark, or
// the line ends short of the book's wrap width, where no wrap would have cut it.
bool ended_by_book_layout(Conversion& cv);

// Whether the joint after the line that ends at the LF at `lf` is never read: the line ends short
// of the book's wrap width (`short_of_wrap`, by line_short_of_wrap) where the book marks no
// paragraphs and keeps no spaces at its cuts, so its line break stands whatever the rules say.
bool joint_never_read(const BookVocabulary& book, const TextWindow& text, int64_t lf, bool short_of_wrap);

}  // namespace tessaline
