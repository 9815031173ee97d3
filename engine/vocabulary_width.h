#pragma once

#include <cstdint>
#include <vector>

#include "engine/text_window.h"
#include "engine/vocabulary_lines.h"

struct BookVocabulary;

// How the book's lines were wrapped, if at one width: cut anywhere, even inside a word, or only
// between words.
enum class WrapKind { NONE, ANYWHERE, BETWEEN_WORDS };

struct WrapWidth {
    WrapKind kind = WrapKind::NONE;
    int64_t width = 0;    // the bytes no wrapped line passes, CR LF not counted
};

// Learns the width from the lines that end inside a sentence, which the wrap surely cut: when
// nearly all of them are full (the next line's first character, or its first word, would not have
// fitted after them), the book is wrapped at that width. Only the `lines` given are read.
void learn_wrap_width(BookVocabulary& vocabulary, const TextWindow& source, const std::vector<SourceLine>& lines);

// Whether the line from `line_start` to the LF at `lf` is full by the book's wrap: the next
// line's text, from `next_text`, could not have begun on it. Never so without a wrap width.
bool line_fills_width(const WrapWidth& wrap, const TextWindow& text, int64_t line_start, int64_t lf, int64_t next_text);
