#include "engine/rules/join_decision.h"

#include <cstring>

#include "engine/passes/conversion.h"
#include "engine/passes/prescan.h"
#include "engine/rules/board_header.h"
#include "engine/rules/line_end_marks.h"
#include "engine/text/marks.h"
#include "engine/text/source_scan.h"
#include "engine/vocabulary/vocabulary.h"

namespace tessaline {

namespace {

const char crlf[] = "\r\n";

bool output_ends_paragraph(const Conversion& cv) {
    return cv.output_length() == 0 || cv.output_byte(cv.output_length() - 1) == '\n';
}

// The first source position after the current line whose byte is not a space, CR or LF.
int64_t next_text_position(Conversion& cv) { return skip_blank_run(cv, cv.place.line_end + 1); }

bool starts_with_opening_quote(const Conversion& cv, int64_t pos) {
    unsigned char c = cv.source_byte(pos);
    return c == '"' || c == '\'' || cv.source_has(pos, "\xA1\xB0", 2) || cv.source_has(pos, "\xA1\xAE", 2);  // “ ‘
}

// A short line after a joined line starts on a line of its own, unless a quotation follows.
void short_line_break(Conversion& cv) {
    const LineText& line = cv.line;
    int64_t len = line.length;
    if (cv.output_length() <= 2 || len >= cv.options.min_line_bytes || len <= 2) return;
    if (is_short_line_stopper(line) || line.at(len - 1) == 0) return;
    if (output_ends_paragraph(cv)) return;
    int64_t next = next_text_position(cv);
    if (next < cv.source_length() && starts_with_opening_quote(cv, next)) return;
    cv.output_append(crlf, 2);
    // A blank line that a join swallowed after the previous line comes back.
    if (cv.place.following_newlines >= 1) cv.output_append(crlf, 2);
}

bool starts_with_closing_quote(const LineText& line) {
    unsigned char c = line.at(0);
    return c == '"' || c == '\'' || line.has(0, "\xA1\xB1", 2) || line.has(0, "\xA1\xAF", 2);  // ” ’
}

bool is_kept(Conversion& cv, int64_t next_text) {
    const LineText& line = cv.line;
    if (cv.profile.unindented_long_lines > indentation_rule_kept && cv.source_byte(next_text - 1) == ' ' &&
        cv.source_byte(next_text - 2) == ' ')
        return true;
    if (cv.place.following_newlines > 1) return true;
    if (line.length <= cv.options.min_line_bytes && output_ends_paragraph(cv) && !starts_with_closing_quote(line))
        return true;
    if (is_keep_mark(line)) return true;
    if (line.at(line.length - 1) == 0) return true;
    return is_board_header_line(line) || (cv.vocabulary_mode() && ended_by_book_layout(cv));
}

// The first position from pos on whose byte is neither a space nor a tab; the scan stops at a
// line end, so it stays within one line.
int64_t skip_spaces_and_tabs(const Conversion& cv, int64_t pos) {
    int64_t end = cv.source_length();
    while (pos < end && (cv.source_byte(pos) == ' ' || cv.source_byte(pos) == '\t')) ++pos;
    return pos;
}

bool is_separator_start(const Conversion& cv, int64_t pos) {
    return cv.source_has(pos, "--", 2) || cv.source_has(pos, "==", 2) || cv.source_has(pos, "//", 2) ||
           cv.source_has(pos, "**", 2);
}

// Cuts the line break and appends what the next line calls for; returns whether it is numbered.
bool prepare_joint(Conversion& cv) {
    LinePlace& s = cv.place;
    LineText& line = cv.line;
    line.truncate(line.length - 2);
    if (cv.options.mark_joins) line.append(&join_mark, 1);
    int64_t after_blanks = skip_spaces_and_tabs(cv, s.line_end + 1);
    unsigned char next_byte = cv.source_byte(after_blanks);
    // A short line before an empty line ends its paragraph with a blank line.
    if (line.length < cv.options.min_line_bytes && (next_byte == '\r' || next_byte == '\n')) line.append("\r\n\r\n", 4);
    s.next_start = skip_white_run(cv, s.line_end + 1);
    unsigned char first = cv.source_byte(s.next_start);
    unsigned char second = cv.source_byte(s.next_start + 1);
    bool numbered = first >= '0' && first <= '9' && (second == '.' || second == ':' || second == '-');
    if (numbered) line.append(crlf, 2);
    if (is_separator_start(cv, s.next_start)) line.append(crlf, 2);
    return numbered;
}

void finish_joint(Conversion& cv, bool numbered) {
    LinePlace& s = cv.place;
    LineText& line = cv.line;
    // An empty line directly after a joined line is swallowed by the join.
    if (!numbered && cv.source_byte(s.line_end + 1) == '\r' && cv.source_byte(s.line_end + 2) == '\n') s.line_end += 2;
    if (!output_ends_paragraph(cv) && line.at(0) == ' ') {
        std::memmove(line.bytes(), line.bytes() + 1, static_cast<size_t>(line.length));
        line.length -= 1;
    }
    s.mark_offset = cv.options.mark_joins ? 1 : 0;
}

}  // namespace

void join_next_line(Conversion& cv) { finish_joint(cv, prepare_joint(cv)); }

bool decide_line_end(Conversion& cv) {
    short_line_break(cv);
    int64_t next_text = next_text_position(cv);
    cv.place.following_newlines = count_run_newlines(cv, cv.place.line_end + 1, next_text);
    if (is_kept(cv, next_text)) return false;
    join_next_line(cv);
    return true;
}

}  // namespace tessaline
