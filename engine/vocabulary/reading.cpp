#include "engine/vocabulary/reading.h"

#include <algorithm>
#include <cstring>

#include "engine/vocabulary/gather.h"
#include "engine/vocabulary/store.h"

namespace tessaline {

namespace {

constexpr size_t read_piece = size_t{1} << 16;

// NUL bytes are rare, so they are found by the library's fast search rather than counted byte by byte.
int64_t nul_bytes_in(std::span<const unsigned char> bytes) {
    int64_t count = 0;
    while (!bytes.empty()) {
        const void* nul = std::memchr(bytes.data(), 0, bytes.size());
        if (nul == nullptr) break;
        ++count;
        bytes = bytes.subspan(static_cast<size_t>(static_cast<const unsigned char*>(nul) - bytes.data()) + 1);
    }
    return count;
}

}  // namespace

void VocabularyReading::expect_length(int64_t bytes) {
    if (round_ != Round::measure || length_ != 0) return;
    stride_ = gather_stride(bytes);
    gathering_early_ = true;
}

void VocabularyReading::take(std::span<const unsigned char> cp949, BookVocabulary& vocabulary) {
    if (round_ == Round::measure) length_ += static_cast<int64_t>(cp949.size()) - nul_bytes_in(cp949);
    if (round_ == Round::gather || gathering_early_) gather(cp949, vocabulary);
}

// A whole text handed over at once is still read in a window of about one piece.
void VocabularyReading::gather(std::span<const unsigned char> cp949, BookVocabulary& vocabulary) {
    while (!cp949.empty()) {
        size_t piece = std::min(cp949.size(), read_piece);
        append_text(gathering_.text, cp949.first(piece));
        cp949 = cp949.subspan(piece);
        read_lines(vocabulary, false);
    }
}

void VocabularyReading::finish_round(BookVocabulary& vocabulary) {
    if (round_ == Round::measure) {
        int64_t stride = gather_stride(length_);
        if (gathering_early_ && stride == stride_) {
            conclude(vocabulary);
            return;
        }
        // The lines gathered were not the ones the length samples: they are read again.
        stride_ = stride;
        vocabulary = BookVocabulary{};
        gathering_ = Gathering{};
        round_ = Round::gather;
        return;
    }
    conclude(vocabulary);
}

void VocabularyReading::conclude(BookVocabulary& vocabulary) {
    read_lines(vocabulary, true);
    settle_vocabulary(vocabulary);
    gathering_.survey.conclude(vocabulary);
    gathering_.width.conclude(vocabulary);
    gathering_.quotations.conclude(vocabulary);
    gathering_.text.reset(0);
    round_ = Round::done;
}

// A sampled line is ready once the next line's text is there.
bool VocabularyReading::line_ready(bool complete, int64_t& line_end) {
    return gathering_.readiness.ready(gathering_.text, complete, line_end);
}

void VocabularyReading::start_line(int64_t line_start) {
    Gathering& g = gathering_;
    g.line_start = line_start;
    g.readiness.start(line_start);
    // The byte before a line tells the reading back to a blank where the line begins.
    g.text.drop_before(line_start - 1);
}

// The lines between the samples are passed unread, their LFs only counted; true once the next
// sampled line is reached. The text that ends among them leaves no line to sample.
bool VocabularyReading::pass_unsampled_lines(bool complete) {
    Gathering& g = gathering_;
    int64_t end = g.text.end();
    int64_t lfs = stride_ - g.line % stride_;
    int64_t left = lfs;
    int64_t lf = g.line_start + find_nth_of<'\n'>(g.text.pointer(g.line_start), 0, end - g.line_start, left);
    if (lf < end) {
        g.line += lfs;
        start_line(lf + 1);
        return true;
    }
    if (left < lfs) {
        g.line += lfs - left;
        start_line(g.line_start + find_last_of<'\n'>(g.text.pointer(g.line_start), 0, end - g.line_start) + 1);
    }
    if (complete) g.lines_done = true;
    return false;
}

// Every stride-th line is gathered, and its end surveyed when it has one; the text after the last
// LF counts as a line too.
void VocabularyReading::read_lines(BookVocabulary& vocabulary, bool complete) {
    Gathering& g = gathering_;
    int64_t line_end = 0;
    while (!g.lines_done && (g.line % stride_ == 0 || pass_unsampled_lines(complete)) &&
           line_ready(complete, line_end)) {
        bool has_lf = line_end < g.text.end();
        int64_t length = line_end - g.line_start;
        if (length > 0) gather_line(vocabulary, g.text.pointer(g.line_start), length);
        if (has_lf) g.survey.survey_line_end(g.text, line_end);
        if (has_lf) g.width.survey_line_end(g.text, g.line_start, line_end);
        g.quotations.survey_line(g.text, g.line_start, line_end);
        if (!has_lf) {
            g.lines_done = true;
            break;
        }
        ++g.line;
        start_line(line_end + 1);
    }
}

}  // namespace tessaline
