#include "engine/vocabulary_breaks.h"

#include <cstring>

#include "engine/board_header.h"
#include "engine/engine_state.h"
#include "engine/join_decision.h"
#include "engine/line_end_marks.h"
#include "engine/source_scan.h"
#include "engine/vocabulary_lines.h"
#include "engine/vocabulary_store.h"

namespace {

bool book_layout_continues_line() {
    int64_t lf = engine_state.line_end;
    if (source_byte(lf) != '\n' || source_byte(lf + 1) == 0 || starts_paragraph(lf + 1)) return false;
    if (book_vocabulary.paragraphs_marked) return true;
    return book_vocabulary.blanks_are_spaces && line_ends_in_blank(lf);
}

// Separator lines such as "====" end in a doubled mark; they stand alone whatever the layout.
bool ends_in_separator() {
    unsigned char last = last_text_char();
    return last == byte_before_last_char() && last != 0 && std::strchr("=-*/", last) != nullptr;
}

// A next line the join path would start on a line of its own: numbered, or a separator.
bool next_line_stands_alone(int64_t next) {
    unsigned char first = source_byte(next);
    unsigned char second = source_byte(next + 1);
    if (first >= '0' && first <= '9' && (second == '.' || second == ':' || second == '-')) return true;
    return source_has(next, "--", 2) || source_has(next, "==", 2) || source_has(next, "//", 2) ||
           source_has(next, "**", 2);
}

// Every other keep rule (blank lines after it, a short line, a board header) still stands.
bool kept_only_for_its_mark() {
    return engine_state.line_len > conversion_options.min_line_bytes && is_keep_mark() && !ends_in_separator() &&
           !is_board_header_line();
}

}  // namespace

bool continue_by_book_layout() {
    if (!kept_only_for_its_mark() || !book_layout_continues_line()) return false;
    if (next_line_stands_alone(skip_white_run(engine_state.line_end + 1))) return false;
    join_next_line();  // the next line is neither blank, numbered nor a separator: no break comes back
    return true;
}
