#pragma once

#include <cstdint>
#include <span>

#include "engine/passes/line_loop.h"
#include "engine/text/text_window.h"
#include "engine/vocabulary/habit.h"
#include "engine/vocabulary/quotes.h"
#include "engine/vocabulary/width.h"

namespace tessaline {

struct BookVocabulary;

// The vocabulary mode's reading of the whole text before it is converted, in two rounds: the first
// measures the text, so the second knows which lines to sample; the second gathers the book's
// vocabulary from those lines and surveys them for its wrap habit and width and how it writes
// quotations. Either round keeps only
// the line it reads and the next line's text.
class VocabularyReading {
public:
    bool needs_round() const { return round_ != Round::done; }

    // The next piece of the text.
    void take(std::span<const unsigned char> cp949, BookVocabulary& vocabulary);

    // The text has all come; after the last round the vocabulary is complete.
    void finish_round(BookVocabulary& vocabulary);

    // The bytes of the text, NUL bytes not counted, once the first round is finished.
    int64_t length() const { return length_; }

private:
    enum class Round { measure, gather, done };

    void read_lines(BookVocabulary& vocabulary, bool complete);

    Round round_ = Round::measure;
    int64_t length_ = 0;
    int64_t stride_ = 1;
    TextWindow text_;
    LineReadiness readiness_;
    int64_t line_ = 0;          // index of the line being read
    int64_t line_start_ = 0;
    bool lines_done_ = false;
    WrapHabitSurvey survey_;
    WrapWidthSurvey width_;
    QuotationSurvey quotations_;
};

}  // namespace tessaline
