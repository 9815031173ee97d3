#include "engine/vocabulary/breaks.h"

#include <cstring>

#include "engine/passes/conversion.h"
#include "engine/rules/board_header.h"
#include "engine/rules/join_decision.h"
#include "engine/rules/line_end_marks.h"
#include "engine/text/marks.h"
#include "engine/text/source_scan.h"
#include "engine/vocabulary/lines.h"
#include "engine/vocabulary/quotes.h"
#include "engine/vocabulary/readings.h"
#include "engine/vocabulary/sentences.h"
#include "engine/vocabulary/store.h"
#include "engine/vocabulary/width.h"

namespace tessaline {

namespace {

bool opens_quotation(const TextWindow& text, int64_t pos) {
    unsigned char first = text.at(pos);
    return first == '"' || first == '\'' || text.has(pos, "\xA1\xB0", 2) || text.has(pos, "\xA1\xAE", 2);  // “ ‘
}

bool closes_quotation(const TextWindow& text, int64_t end) {
    unsigned char last = text.at(end - 1);
    return last == '"' || last == '\'' || text.has(end - 2, "\xA1\xB1", 2) || text.has(end - 2, "\xA1\xAF", 2);  // ” ’
}

// The text of the line from `line_start`, up to its spaces and CR before the LF or the text's end.
int64_t text_end_of_line(const TextWindow& text, int64_t line_start) {
    int64_t end = line_start;
    while (text.at(end) != 0 && text.at(end) != lf_byte) ++end;
    while (end > line_start && is_blank_byte(text.at(end - 1))) --end;
    return end;
}

// A line with text whose LF another line follows.
bool line_before_another(const TextWindow& text, int64_t lf) {
    return text.at(lf) == '\n' && text.at(lf + 1) != 0 && line_text_end(text, lf) >= 0;
}

// Read ahead by the scan where it can be.
bool current_line_short_of_wrap(Conversion& cv) {
    const JointReading* reading = current_line_reading(cv);
    return reading != nullptr
               ? reading->short_of_wrap
               : line_short_of_wrap(cv.vocabulary.wrap, cv.source, cv.place.line_start, cv.place.line_end);
}

// A wrap lands on any sentence end alike, but a break between long sentences more often ends a
// paragraph: where none ends inside this line, the line before or the next line, a full line that
// ends a sentence outside a quotation ends its paragraph about one time in six.
bool ends_among_long_sentences(const Conversion& cv, int64_t text_end, int64_t next_text) {
    const TextWindow& text = cv.source;
    return is_sentence_end_byte(text.at(text_end - 1)) && !cv.sentences.ended_in_line_before &&
           !holds_sentence_end(text, cv.place.line_start, text_end) &&
           !holds_sentence_end(text, next_text, text_end_of_line(text, next_text)) && !quotation_open(cv);
}

// A line that fills the book's wrap width ended there because the next line's text did not fit,
// not because its paragraph ended, unless it ends a sentence among long ones. A quotation still
// stands apart: one that opens the next line, or one that ends this line unless the book runs
// such quotations on into 하고 or 하며.
bool width_continues_line(Conversion& cv, int64_t lf, int64_t next_text) {
    const TextWindow& text = cv.source;
    if (cv.vocabulary.wrap.kind == WrapKind::NONE || current_line_short_of_wrap(cv)) return false;
    if (opens_quotation(text, next_text)) return false;
    int64_t text_end = line_text_end(text, lf);
    if (!closes_quotation(text, text_end)) return !ends_among_long_sentences(cv, text_end, next_text);
    auto at = [&text](int64_t pos) { return text.at(pos); };
    return cv.vocabulary.quotations_run_on && quotative_at(at, next_text);
}

bool book_layout_continues_line(Conversion& cv) {
    int64_t lf = cv.place.line_end;
    if (cv.source_byte(lf) != '\n' || cv.source_byte(lf + 1) == 0 || starts_paragraph(cv.source, lf + 1)) return false;
    if (cv.vocabulary.paragraphs_marked) return true;
    // Where the wrap keeps the author's spaces, a line without one after its mark ends a paragraph.
    if (cv.vocabulary.blanks_are_spaces) return line_ends_in_blank(cv.source, lf);
    return width_continues_line(cv, lf, next_line_text(cv.source, lf + 1));
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

bool ended_by_book_layout(Conversion& cv) {
    int64_t lf = cv.place.line_end;
    if (!line_before_another(cv.source, lf)) return false;
    if (cv.vocabulary.paragraphs_marked && starts_paragraph(cv.source, lf + 1)) return true;
    return current_line_short_of_wrap(cv);
}

// Such a line is kept by ended_by_book_layout, and continue_by_book_layout finds it short of the width.
bool joint_never_read(const BookVocabulary& book, const TextWindow& text, int64_t lf, bool short_of_wrap) {
    return short_of_wrap && !book.paragraphs_marked && !book.blanks_are_spaces && line_before_another(text, lf);
}

}  // namespace tessaline
