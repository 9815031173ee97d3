#pragma once

#include <cstdint>

#include "engine/text/text_window.h"

namespace tessaline {

// What the line loop has seen of the sentences before the current line: whether one ended
// inside the line before (a mark that ends a sentence and the space after it, where no wrap cut),
// and whether a quotation is open since the last line that ended a paragraph.
struct SentencesSoFar {
    bool ended_in_line_before = false;
    bool quotation_open = false;
};

// What one line shows of its sentences.
struct LineSentences {
    bool end_inside = false;       // a sentence ends inside it
    bool flips_quotation = false;  // it holds an odd number of double quotation marks
};

// Reads the line's text from `begin`, a character boundary, to `end`.
LineSentences read_line_sentences(const TextWindow& text, int64_t begin, int64_t end);

// Whether a sentence ends inside the text from `begin` to `end`: a mark that ends the text itself
// is not inside it.
bool holds_sentence_end(const TextWindow& text, int64_t begin, int64_t end);

}  // namespace tessaline
