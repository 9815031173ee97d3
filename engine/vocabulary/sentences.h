#pragma once

#include <cstdint>

#include "engine/text/text_window.h"

namespace tessaline {

// Sentence ends inside the source's lines, where no wrap cut: a mark that ends a sentence and the
// space after it. The line loop notes, line by line, whether the line before held one.
struct SentenceEndsNearby {
    bool in_line_before = false;
};

// Whether a sentence ends inside the text from `begin` to `end`, a mark at `end` itself not
// counted.
bool holds_sentence_end(const TextWindow& text, int64_t begin, int64_t end);

}  // namespace tessaline
