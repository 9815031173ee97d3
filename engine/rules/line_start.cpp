#include "engine/rules/line_start.h"

#include <cstring>

#include "engine/passes/conversion.h"
#include "engine/passes/prescan.h"
#include "engine/text/marks.h"
#include "engine/text/space_runs.h"

namespace tessaline {

namespace {

// A rest of the line shorter than this, after an indentation, is a short paragraph start.
constexpr int32_t SHORT_REST = 40;

const unsigned char CRLF[] = {CR_BYTE, LF_BYTE};
const unsigned char BLANK_LINE[] = {CR_BYTE, LF_BYTE, CR_BYTE, LF_BYTE};

// Removes the line bytes from `from` up to `to`, moving the rest, its line end and NUL forward.
void remove_line_bytes(LineText& line, int64_t from, int64_t to) {
    std::memmove(line.bytes() + from, line.bytes() + to, static_cast<size_t>(line.length - to) + 1);
    line.length -= to - from;
}

bool is_mark_pair(const LineText& line, int64_t lead_pos, unsigned char trail) {
    return line.at(lead_pos) == MARK_LEAD && line.at(lead_pos + 1) == trail;
}

// Sentence-final: . ! ? " ' ] as one byte, or ” and ’ ending at `pos`.
bool sentence_final_at(const LineText& line, int64_t pos) {
    unsigned char b = line.at(pos);
    if (is_sentence_end_byte(b) || b == DOUBLE_QUOTE || b == APOSTROPHE || b == CLOSE_BRACKET) return true;
    return is_mark_pair(line, pos - 1, CLOSE_DOUBLE_TRAIL) || is_mark_pair(line, pos - 1, CLOSE_SINGLE_TRAIL);
}

bool output_is_empty(const Conversion& cv) { return cv.output_length() == 0; }
bool output_ends_line(const Conversion& cv) { return cv.output_byte(cv.output_length() - 1) == LF_BYTE; }

void expand_full_width_indent(LineText& line) {
    if (!is_mark_pair(line, 0, FULL_WIDTH_SPACE_TRAIL)) return;
    for (int64_t k = 0; k < line.length && is_mark_pair(line, k, FULL_WIDTH_SPACE_TRAIL); k += 2) {
        line.bytes()[k] = SPACE_BYTE;
        line.bytes()[k + 1] = SPACE_BYTE;
    }
}

void drop_leading_spaces(Conversion& cv) {
    LineText& line = cv.line;
    if (line.at(0) != SPACE_BYTE || line.length <= 1) return;
    int64_t n = end_of_spaces(line.bytes(), 0, line.length);
    int64_t rest = line.length - n;
    unsigned char first = line.at(n);
    bool starts_paragraph = output_is_empty(cv) || output_ends_line(cv);
    // Only a short paragraph start keeps its indentation, as exactly two spaces.
    bool keep_two = n >= 3 && starts_paragraph && rest < SHORT_REST && first != DOUBLE_QUOTE && first != CR_BYTE;
    remove_line_bytes(line, 0, keep_two ? n - 2 : n);
}

void trim_trailing_spaces(Conversion& cv) {
    LineText& line = cv.line;
    const int64_t& length = line.length;
    if (length <= 4) return;
    bool wraps_inside_words = cv.profile.unspaced_long_lines >= UNSPACED_HABIT;
    if (line.at(length - 3) == SPACE_BYTE && (!wraps_inside_words || sentence_final_at(line, length - 4)))
        remove_line_bytes(line, length - 3, length - 2);
    if (length <= 4 || line.at(length - 4) != SPACE_BYTE || line.at(length - 3) != SPACE_BYTE) return;
    int64_t p = start_of_spaces(line.bytes(), length - 5, 1);
    if (p < 1) return;
    // In a document that wraps inside words a trailing space marks a word boundary: one stays.
    bool keep_one = wraps_inside_words && !sentence_final_at(line, p);
    remove_line_bytes(line, keep_one ? p + 2 : p + 1, length - 2);
}

bool opens_with_mark(const LineText& line) {
    unsigned char b = line.at(0);
    if (b == DOUBLE_QUOTE || b == APOSTROPHE || b == OPEN_BRACKET) return true;
    return is_mark_pair(line, 0, OPEN_DOUBLE_TRAIL) || is_mark_pair(line, 0, OPEN_SINGLE_TRAIL);
}

bool holds_single_quote_after_start(const LineText& line) {
    for (int64_t k = 1; k <= line.length - 5; ++k)
        if (line.at(k) == APOSTROPHE || is_mark_pair(line, k, OPEN_SINGLE_TRAIL)) return true;
    return false;
}

void separate_opening_mark(Conversion& cv) {
    if (!opens_with_mark(cv.line)) return;
    int64_t out_len = cv.output_length();
    if (!output_is_empty(cv) && !output_ends_line(cv)) {
        // A quoted line holding a second single quote continues the open sentence.
        if (holds_single_quote_after_start(cv.line)) {
            if (cv.output_byte(out_len - 1) != SPACE_BYTE) cv.output_append(" ", 1);
        } else {
            cv.output_append(BLANK_LINE, sizeof BLANK_LINE);
        }
        return;
    }
    if (out_len < 3 || cv.output_byte(out_len - 3) == LF_BYTE) return;
    cv.output_append(CRLF, sizeof CRLF);
}

// Whether the apostrophe that ends the output's last line closes a quotation opened on it.
bool output_line_opens_single_quote(const Conversion& cv) {
    for (int64_t q = cv.output_length() - 5; q >= 1; --q) {
        if (cv.output_byte(q - 3) == LF_BYTE) return false;
        if (cv.output_byte(q) == APOSTROPHE) return true;
        if (cv.output_byte(q) == MARK_LEAD && cv.output_byte(q + 1) == OPEN_SINGLE_TRAIL) return true;
    }
    return false;
}

void blank_after_closing_mark(Conversion& cv) {
    int64_t out_len = cv.output_length();
    if (cv.line.length <= 3 || out_len < 4 || !output_ends_line(cv)) return;
    unsigned char c = cv.output_byte(out_len - 3);
    bool pair_lead = cv.output_byte(out_len - 4) == MARK_LEAD;
    if (c == DOUBLE_QUOTE || c == CLOSE_BRACKET || (pair_lead && c == CLOSE_DOUBLE_TRAIL)) {
        cv.output_append(CRLF, sizeof CRLF);
    } else if (c == APOSTROPHE || (pair_lead && c == CLOSE_SINGLE_TRAIL)) {
        if (!output_line_opens_single_quote(cv)) cv.output_append(CRLF, sizeof CRLF);
    }
}

}  // namespace

void normalise_line_start(Conversion& cv) {
    expand_full_width_indent(cv.line);
    drop_leading_spaces(cv);
    trim_trailing_spaces(cv);
    separate_opening_mark(cv);
    blank_after_closing_mark(cv);
}

}  // namespace tessaline
