#include "engine/rules/line_start.h"

#include <cstring>

#include "engine/passes/conversion.h"
#include "engine/passes/prescan.h"
#include "engine/text/marks.h"
#include "engine/text/space_runs.h"

namespace tessaline {

namespace {

// A rest of the line shorter than this, after an indentation, is a short paragraph start.
constexpr int32_t short_rest = 40;

const unsigned char crlf[] = {cr_byte, lf_byte};
const unsigned char blank_line[] = {cr_byte, lf_byte, cr_byte, lf_byte};

// Removes the line bytes from `from` up to `to`, moving the rest, its line end and NUL forward.
void remove_line_bytes(LineText& line, int64_t from, int64_t to) {
    std::memmove(line.bytes() + from, line.bytes() + to, static_cast<size_t>(line.length - to) + 1);
    line.length -= to - from;
}

bool is_mark_pair(const LineText& line, int64_t lead_pos, unsigned char trail) {
    return line.at(lead_pos) == mark_lead && line.at(lead_pos + 1) == trail;
}

// Sentence-final: . ! ? " ' ] as one byte, or ” and ’ ending at `pos`.
bool sentence_final_at(const LineText& line, int64_t pos) {
    unsigned char b = line.at(pos);
    if (is_sentence_end_byte(b) || b == double_quote || b == apostrophe_byte || b == close_bracket) return true;
    return is_mark_pair(line, pos - 1, close_double_trail) || is_mark_pair(line, pos - 1, close_single_trail);
}

bool output_is_empty(const Conversion& cv) { return cv.output_length() == 0; }
bool output_ends_line(const Conversion& cv) { return cv.output_byte(cv.output_length() - 1) == lf_byte; }

void expand_full_width_indent(LineText& line) {
    if (!is_mark_pair(line, 0, full_width_space_trail)) return;
    for (int64_t k = 0; k < line.length && is_mark_pair(line, k, full_width_space_trail); k += 2) {
        line.bytes()[k] = space_byte;
        line.bytes()[k + 1] = space_byte;
    }
}

void drop_leading_spaces(Conversion& cv) {
    LineText& line = cv.line;
    if (line.at(0) != space_byte || line.length <= 1) return;
    int64_t n = end_of_spaces(line.bytes(), 0, line.length);
    int64_t rest = line.length - n;
    unsigned char first = line.at(n);
    bool starts_paragraph = output_is_empty(cv) || output_ends_line(cv);
    // Only a short paragraph start keeps its indentation, as exactly two spaces.
    bool keep_two = n >= 3 && starts_paragraph && rest < short_rest && first != double_quote && first != cr_byte;
    remove_line_bytes(line, 0, keep_two ? n - 2 : n);
}

void trim_trailing_spaces(Conversion& cv) {
    LineText& line = cv.line;
    const int64_t& length = line.length;
    if (length <= 4) return;
    bool wraps_inside_words = cv.profile.unspaced_long_lines >= unspaced_habit;
    if (line.at(length - 3) == space_byte && (!wraps_inside_words || sentence_final_at(line, length - 4)))
        remove_line_bytes(line, length - 3, length - 2);
    if (length <= 4 || line.at(length - 4) != space_byte || line.at(length - 3) != space_byte) return;
    int64_t p = start_of_spaces(line.bytes(), length - 5, 1);
    if (p < 1) return;
    // In a document that wraps inside words a trailing space marks a word boundary: one stays.
    bool keep_one = wraps_inside_words && !sentence_final_at(line, p);
    remove_line_bytes(line, keep_one ? p + 2 : p + 1, length - 2);
}

bool opens_with_mark(const LineText& line) {
    unsigned char b = line.at(0);
    if (b == double_quote || b == apostrophe_byte || b == open_bracket) return true;
    return is_mark_pair(line, 0, open_double_trail) || is_mark_pair(line, 0, open_single_trail);
}

bool holds_single_quote_after_start(const LineText& line) {
    for (int64_t k = 1; k <= line.length - 5; ++k)
        if (line.at(k) == apostrophe_byte || is_mark_pair(line, k, open_single_trail)) return true;
    return false;
}

void separate_opening_mark(Conversion& cv) {
    if (!opens_with_mark(cv.line)) return;
    int64_t out_len = cv.output_length();
    if (!output_is_empty(cv) && !output_ends_line(cv)) {
        // A quoted line holding a second single quote continues the open sentence.
        if (holds_single_quote_after_start(cv.line)) {
            if (cv.output_byte(out_len - 1) != space_byte) cv.output_append(" ", 1);
        } else {
            cv.output_append(blank_line, sizeof blank_line);
        }
        return;
    }
    if (out_len < 3 || cv.output_byte(out_len - 3) == lf_byte) return;
    cv.output_append(crlf, sizeof crlf);
}

// Whether the apostrophe that ends the output's last line closes a quotation opened on it.
bool output_line_opens_single_quote(const Conversion& cv) {
    for (int64_t q = cv.output_length() - 5; q >= 1; --q) {
        if (cv.output_byte(q - 3) == lf_byte) return false;
        if (cv.output_byte(q) == apostrophe_byte) return true;
        if (cv.output_byte(q) == mark_lead && cv.output_byte(q + 1) == open_single_trail) return true;
    }
    return false;
}

void blank_after_closing_mark(Conversion& cv) {
    int64_t out_len = cv.output_length();
    if (cv.line.length <= 3 || out_len < 4 || !output_ends_line(cv)) return;
    unsigned char c = cv.output_byte(out_len - 3);
    bool pair_lead = cv.output_byte(out_len - 4) == mark_lead;
    if (c == double_quote || c == close_bracket || (pair_lead && c == close_double_trail)) {
        cv.output_append(crlf, sizeof crlf);
    } else if (c == apostrophe_byte || (pair_lead && c == close_single_trail)) {
        if (!output_line_opens_single_quote(cv)) cv.output_append(crlf, sizeof crlf);
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
