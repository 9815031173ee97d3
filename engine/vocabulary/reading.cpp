#include "engine/vocabulary/reading.h"

#include <algorithm>

#include "engine/vocabulary/gather.h"

namespace tessaline {

namespace {

constexpr size_t READ_PIECE = size_t{1} << 16;

}  // namespace

void VocabularyReading::take(std::span<const unsigned char> cp949, BookVocabulary& vocabulary) {
    if (round_ == Round::measure) {
        length_ += static_cast<int64_t>(cp949.size()) - std::count(cp949.begin(), cp949.end(), 0);
        return;
    }
    // A whole text handed over at once is still read in a window of about one piece.
    while (!cp949.empty()) {
        size_t piece = std::min(cp949.size(), READ_PIECE);
        append_text(text_, cp949.first(piece));
        cp949 = cp949.subspan(piece);
        read_lines(vocabulary, false);
    }
}

void VocabularyReading::finish_round(BookVocabulary& vocabulary) {
    if (round_ == Round::measure) {
        stride_ = gather_stride(length_);
        round_ = Round::gather;
        return;
    }
    read_lines(vocabulary, true);
    settle_vocabulary(vocabulary);
    survey_.conclude(vocabulary);
    width_.conclude(vocabulary);
    quotations_.conclude(vocabulary);
    text_.reset(0);
    round_ = Round::done;
}

// Every stride-th line is gathered, and its end surveyed when it has one; the text after the last
// LF counts as a line too.
void VocabularyReading::read_lines(BookVocabulary& vocabulary, bool complete) {
    int64_t line_end = 0;
    while (!lines_done_ && readiness_.ready(text_, complete, line_end)) {
        bool has_lf = line_end < text_.end();
        if (line_ % stride_ == 0) {
            int64_t length = line_end - line_start_;
            if (length > 0) gather_line(vocabulary, text_.pointer(line_start_), length);
            if (has_lf) survey_.survey_line_end(text_, line_end);
            if (has_lf) width_.survey_line_end(text_, line_start_, line_end);
            quotations_.survey_line(text_, line_start_, line_end);
        }
        if (!has_lf) {
            lines_done_ = true;
            break;
        }
        ++line_;
        line_start_ = line_end + 1;
        readiness_.start(line_start_);
        // The byte before a line tells the reading back to a blank where the line begins.
        text_.drop_before(line_start_ - 1);
    }
}

}  // namespace tessaline
