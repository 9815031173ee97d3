#pragma once

#include <cstdint>

#include "engine/text/text_window.h"

namespace tessaline {

struct BookVocabulary;
struct Conversion;

// Whether a sentence ended inside the line before the current one (a mark that ends a sentence
// and the space after it, where no wrap cut), as the line loop noted it.
struct SentencesSoFar {
    bool ended_in_line_before = false;
};

// Whether a sentence ends inside the text from `begin` to `end`: a mark that ends the text itself
// is not inside it.
bool holds_sentence_end(const TextWindow& text, int64_t begin, int64_t end);

// Whether a sentence ends inside the line from `line_start` to the LF at `lf`. Only a book wrapped
// at a width whose paragraphs carry no mark asks; in others the line is not read.
bool sentence_inside_line(const BookVocabulary& book, const TextWindow& text, int64_t line_start, int64_t lf);

// The same of the current line, read before a joint moves its end, or by the scan ahead.
bool sentence_ends_inside_line(Conversion& cv);

// Whether a quotation opened in the paragraph written so far, the current line included, is
// still open.
bool quotation_open(const Conversion& cv);

}  // namespace tessaline
