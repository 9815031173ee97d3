#include "engine/vocabulary_breaks.h"

#include <cstring>

#include "engine/board_header.h"
#include "engine/conversion.h"
#include "engine/join_decision.h"
#include "engine/line_end_marks.h"
#include "engine/source_scan.h"
#include "engine/vocabulary_lines.h"

namespace {

bool book_layout_continues_line(const Conversion& cv) {
    int64_t lf = cv.place.line_end;
    if (cv.source_byte(lf) != '\n' || cv.source_byte(lf + 1) == 0 || starts_paragraph(cv.source, lf + 1)) return false;
    if (cv.vocabulary.paragraphs_marked) return true;
    return cv.vocabulary.blanks_are_spaces && line_ends_in_blank(cv.source, lf);
}

// Separator lines such as "====" end in a doubled mark; they stand alone whatever the layout.
bool ends_in_separator(const LineText& line) {
    unsigned char last = last_text_char(line);
    return last == byte_before_last_char(line) && last != 0 && std::strchr("=-*/", last) != nullptr;
}

// A next line the join path would start on a line of its own: numbered, or a separator.
bool next_line_stands_alone(const Conversion& cv, int64_t next) {
    unsigned char first = cv.source_byte(next);
    unsigned char second = cv.source_byte(next + 1);
    if (first >= '0' && first <= '9' && (second == '.' || second == ':' || second == '-')) return true;
    return cv.source_has(next, "--", 2) || cv.source_has(next, "==", 2) || cv.source_has(next, "//", 2) ||
           cv.source_has(next, "**", 2);
}

// Every other keep rule (blank lines after it, a short line, a board header) still stands.
bool kept_only_for_its_mark(const Conversion& cv) {
    const LineText& line = cv.line;
    return line.length > cv.options.min_line_bytes && is_keep_mark(line) && !ends_in_separator(line) &&
           !is_board_header_line(line);
}

}  // namespace

bool continue_by_book_layout(Conversion& cv) {
    if (!kept_only_for_its_mark(cv) || !book_layout_continues_line(cv)) return false;
    if (next_line_stands_alone(cv, skip_white_run(cv, cv.place.line_end + 1))) return false;
    join_next_line(cv);  // the next line is neither blank, numbered nor a separator: no break comes back
    return true;
}
