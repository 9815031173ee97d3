#include "engine/vocabulary_breaks.h"

#include "engine/engine_state.h"
#include "engine/vocabulary_lines.h"
#include "engine/vocabulary_store.h"

bool book_layout_continues_line() {
    int64_t lf = engine_state.line_end;
    if (source_byte(lf) != '\n' || source_byte(lf + 1) == 0 || starts_paragraph(lf + 1)) return false;
    if (book_vocabulary.paragraphs_marked) return true;
    return book_vocabulary.blanks_are_spaces && line_ends_in_blank(lf);
}
