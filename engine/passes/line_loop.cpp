#include "engine/passes/line_loop.h"

#include <algorithm>

#include "engine/passes/conversion.h"
#include "engine/passes/prescan.h"
#include "engine/rules/dialogue_breaks.h"
#include "engine/rules/hanja_removal.h"
#include "engine/rules/join_decision.h"
#include "engine/rules/joint_match.h"
#include "engine/rules/joint_review.h"
#include "engine/rules/joint_spacing.h"
#include "engine/rules/line_start.h"
#include "engine/rules/space_squeeze.h"
#include "engine/text/marks.h"
#include "engine/text/source_scan.h"
#include "engine/vocabulary/vocabulary.h"

namespace tessaline {

namespace {

const char blank_line[] = "\r\n\r\n";

// A line longer than this goes into the output piece by piece, and its memory is given back.
constexpr size_t output_piece = size_t{1} << 16;
constexpr size_t long_line_bytes = size_t{1} << 20;

// Copies the current line, with its LF or the NUL that ends the text, into the line.
void cut_line(Conversion& cv) {
    const LinePlace& s = cv.place;
    int64_t text_bytes = std::min(s.line_end + 1, cv.source_length()) - s.line_start;
    cv.line.assign(text_bytes > 0 ? cv.source.pointer(s.line_start) : nullptr, static_cast<size_t>(text_bytes));
    if (s.line_end >= cv.source_length()) cv.line.append("", 1);
}

void profile_line(Conversion& cv) {
    // Beyond the pre-scan every long line moves the indentation count one way or the other.
    if (cv.place.line_end <= prescan_bytes || cv.line.length <= profiled_line_bytes) return;
    unsigned char first = cv.line.bytes()[0];
    cv.profile.unindented_long_lines += (first == ' ' || first == mark_lead) ? -1 : 1;
}

// Every line ends in CR LF from here on; a last line that ends in a lone CR is left as it is.
void end_line_with_crlf(LineText& line) {
    if (line.at(line.length - 2) == '\r') return;
    line.truncate(line.length - 1);
    line.append("\r\n", 2);
}

// Two or more empty lines after a line become exactly one empty line, and the next line's
// indentation is dropped.
void reduce_blank_run(Conversion& cv) {
    LinePlace& s = cv.place;
    int64_t next = skip_blank_run(cv, s.line_end + 1);
    if (next < cv.source_length() && count_run_newlines(cv, s.line_end + 1, next) >= 2) {
        cv.output_append(blank_line, 4);
        s.line_end = next - 1;
    }
    s.line_start = s.line_end + 1;
}

// The line's text without the NUL that a last line ending in a lone CR keeps at its end.
size_t text_bytes(const LineText& line) {
    return static_cast<size_t>(line.length > 0 && line.at(line.length - 1) == 0 ? line.length - 1 : line.length);
}

// A long line goes into the output in pieces, the output before each piece drained.
void append_long_to_output(Conversion& cv, const unsigned char* bytes, size_t count) {
    while (count > output_piece && cv.drain != nullptr) {
        cv.output_append(bytes, output_piece);
        cv.drain->drain();
        bytes += output_piece;
        count -= output_piece;
    }
    cv.output_append(bytes, count);
}

// Most lines are short and go in at once.
void append_to_output(Conversion& cv, const unsigned char* bytes, size_t count) {
    if (count > output_piece) append_long_to_output(cv, bytes, count);
    else cv.output_append(bytes, count);
}

// Takes the front of a line that dialogue breaks grew long through the rules that act on the
// line's inside, into the output. Only the rules mode hands it on: the vocabulary mode's joint
// rules read back over the spaces that end a joined line, as many as there are.
class FrontToOutput final : public GrownLineFront {
public:
    explicit FrontToOutput(Conversion& cv) : cv_(cv) {}

    void take(unsigned char* bytes, int64_t from, int64_t to) override {
        to = squeeze_line_piece(bytes, from, to);
        if (cv_.options.remove_hanja) to = remove_hanja_in_piece(cv_, bytes, from, to);
        append_to_output(cv_, bytes + from, static_cast<size_t>(to - from));
    }

private:
    Conversion& cv_;
};

// The memory of a line many times longer than most goes back once the line is written.
void release_long_line(Conversion& cv) {
    if (cv.line.buffer.capacity() > long_line_bytes) cv.line.buffer.release();
    if (cv.scratch.buffer.capacity() > long_line_bytes) cv.scratch.buffer.release();
}

bool is_white(unsigned char b) { return b == ' ' || b == '\t' || b == '\r' || b == '\n'; }

// Position of the first LF from `from` on, or -1 when the window holds none.
int64_t find_lf(const TextWindow& text, int64_t from) {
    int64_t lf = find_in_window<'\n'>(text, from, text.end());
    return lf < text.end() ? lf : -1;
}

}  // namespace

void process_line(Conversion& cv) {
    cut_line(cv);
    // The rules read the source from two bytes before the line's end on, besides the vocabulary
    // mode's look back over the line's last word.
    if (!cv.vocabulary_mode()) cv.source.drop_before(cv.place.line_end - 2);
    profile_line(cv);
    end_line_with_crlf(cv.line);
    normalise_line_start(cv);
    FrontToOutput front(cv);
    int64_t sent = insert_dialogue_breaks(cv, cv.vocabulary_mode() ? nullptr : &front);
    bool joined = decide_line_end(cv);
    if (cv.vocabulary_mode()) {
        decide_book_line_end(cv, joined);
    } else if (joined) {
        decide_joint_space(cv);
        review_joint_space(cv);
    }
    squeeze_spaces(cv.line, sent);
    if (cv.options.remove_hanja) remove_hanja_glosses(cv, sent);
    append_to_output(cv, cv.line.bytes() + sent, text_bytes(cv.line) - static_cast<size_t>(sent));
    if (cv.vocabulary_mode()) note_length_difference(cv.length_notes, cv.output_length());
    reduce_blank_run(cv);
    release_long_line(cv);
}

void LineReadiness::start(int64_t from) {
    // Mostly the next line is the one whose text was looked at, and its LF is known already.
    bool lf_known = text_lf_ >= 0 && from > white_lf_ && from <= text_lf_;
    searched_ = from;
    lf_ = lf_known ? text_lf_ : -1;
    white_end_ = lf_ + 1;
    white_lf_ = lf_;
    text_ = -1;
    text_lf_ = -1;
}

bool LineReadiness::find_next_text(const TextWindow& source) {
    if (text_ < 0) {
        int64_t end = source.end();
        int64_t pos = white_end_;
        for (unsigned char b; pos < end && is_white(b = source.at(pos)); ++pos)
            if (b == '\n') white_lf_ = pos;
        white_end_ = pos;
        if (pos == end) return false;
        text_ = pos;
        text_searched_ = pos;
    }
    if (text_lf_ < 0) {
        text_lf_ = find_lf(source, text_searched_);
        if (text_lf_ < 0) {
            text_searched_ = source.end();
            return false;
        }
    }
    return true;
}

bool LineReadiness::ready(const TextWindow& source, bool complete, int64_t& line_end) {
    if (lf_ < 0) {
        lf_ = find_lf(source, searched_);
        if (lf_ < 0) {
            searched_ = std::max(searched_, source.end());
            if (!complete) return false;
            line_end = source.end();
            return true;
        }
        white_end_ = lf_ + 1;
        white_lf_ = lf_;
    }
    line_end = lf_;
    if (complete) return true;
    if (!find_next_text(source)) return false;
    int64_t needed = std::max({lf_ + 1 + dialogue_source_window + 2, text_ + head_reach, text_lf_ + 1});
    return source.end() >= needed;
}

void LineLoop::run(Conversion& cv, bool complete) {
    if (!profiled_) {
        if (!complete && cv.source_length() < prescan_bytes + prescan_end_margin) return;
        prescan_document(cv);
        profiled_ = true;
    }
    int64_t line_end = 0;
    while (!done_ && readiness_.ready(cv.source, complete, line_end)) {
        cv.place.line_end = line_end;
        process_line(cv);
        if (complete && cv.place.line_start > cv.source_length()) done_ = true;
        readiness_.start(cv.place.line_start);
        // The byte before a line tells the rules that read back to a blank where the line begins.
        cv.source.drop_before(cv.place.line_start - 1);
    }
}

}  // namespace tessaline
