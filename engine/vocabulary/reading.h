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
// quotations. Either round keeps only the line it reads and the next line's text. When the
// length is known beforehand, the first round gathers too, and the second is needed only if the
// length measured samples other lines.
class VocabularyReading {
public:
    bool needs_round() const { return round_ != Round::done; }

    // The text will be about `bytes` long; said before the first round's text comes.
    void expect_length(int64_t bytes);

    // The next piece of the text.
    void take(std::span<const unsigned char> cp949, BookVocabulary& vocabulary);

    // The text has all come; after the last round the vocabulary is complete.
    void finish_round(BookVocabulary& vocabulary);

    // The bytes of the text, NUL bytes not counted, once the first round is finished.
    int64_t length() const { return length_; }

private:
    enum class Round { measure, gather, done };

    // Where the gathering stands in the text, and what its surveys have seen.
    struct Gathering {
        TextWindow text;
        LineReadiness readiness;
        int64_t line = 0;  // index of the line being read
        int64_t line_start = 0;
        bool lines_done = false;
        WrapHabitSurvey survey;
        WrapWidthSurvey width;
        QuotationSurvey quotations;
    };

    void gather(std::span<const unsigned char> cp949, BookVocabulary& vocabulary);
    void read_lines(BookVocabulary& vocabulary, bool complete);
    bool line_ready(bool complete, int64_t& line_end);
    void start_line(int64_t line_start);
    bool pass_unsampled_lines(bool complete);
    void conclude(BookVocabulary& vocabulary);

    Round round_ = Round::measure;
    bool gathering_early_ = false;  // the first round gathers at the stride of the length expected
    int64_t length_ = 0;
    int64_t stride_ = 1;
    Gathering gathering_;
};

}  // namespace tessaline
