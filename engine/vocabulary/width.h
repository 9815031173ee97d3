#pragma once

#include <cstdint>
#include <vector>

#include "engine/text/text_window.h"

namespace tessaline {

struct BookVocabulary;

// How the book's lines were wrapped, if at one width: cut anywhere, even inside a word, or only
// between words.
enum class WrapKind { NONE, ANYWHERE, BETWEEN_WORDS };

struct WrapWidth {
    WrapKind kind = WrapKind::NONE;
    int64_t width = 0;  // the bytes no wrapped line passes, CR LF not counted
};

// Learns the width from the lines that end inside a sentence, which the wrap surely cut: when
// nearly all of them are full (the next line's first character, or its first word, would not have
// fitted after them), the book is wrapped at that width.
class WrapWidthSurvey {
public:
    // Reads the line from `line_start` to its LF at `lf`: the text must hold the line and the
    // next line's text.
    void survey_line_end(const TextWindow& text, int64_t line_start, int64_t lf);

    // With every line read: settles the width in the vocabulary.
    void conclude(BookVocabulary& vocabulary);

private:
    // A line the wrap cut inside a sentence: its width and what the next line opens with.
    struct CutLine {
        int64_t width;
        int64_t first_char;  // bytes of the next line's first character
        int64_t first_word;  // bytes of its first word
    };
    std::vector<CutLine> lines_;
};

// Whether the book is wrapped at a width and the line from `line_start` to the LF at `lf` ends
// short of it: the next line's text, which `text` must hold, could have begun on it.
bool line_short_of_wrap(const WrapWidth& wrap, const TextWindow& text, int64_t line_start, int64_t lf);

}  // namespace tessaline
