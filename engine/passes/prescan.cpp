#include "engine/passes/prescan.h"

#include "engine/passes/conversion.h"
#include "engine/text/marks.h"

namespace tessaline {

namespace {

// A long line whose last byte before the line end is not a space; a long line not indented.
void count_line_end(Conversion& cv, int64_t lf, int64_t line_start) {
    int64_t n = lf - line_start + 1;
    int64_t tested = cv.source_byte(lf - 1) == '\r' ? lf - 2 : lf - 1;
    if (n > unspaced_line_bytes && cv.source_byte(tested) != ' ') cv.profile.unspaced_long_lines += 1;
    unsigned char first = cv.source_byte(line_start);
    if (n > profiled_line_bytes && first != ' ' && first != mark_lead) cv.profile.unindented_long_lines += 1;
}

}  // namespace

void prescan_document(Conversion& cv) {
    int64_t length = cv.source_length();
    int64_t line_start = 0;
    for (int64_t i = 0; i < length - prescan_end_margin && i < prescan_bytes; ++i) {
        if (cv.source_byte(i) == ' ' && cv.source_byte(i + 1) == '[' && cv.source_byte(i + 2) != ' ')
            cv.profile.bracket_openers += 1;
        if (cv.source_byte(i) == '\n') {
            count_line_end(cv, i, line_start);
            line_start = i + 1;
        }
    }
    // Only a document made mostly of long unindented lines turns the indentation rule on.
    cv.profile.unindented_long_lines =
        cv.profile.unindented_long_lines > indentation_rule_lines ? indentation_rule_lines : 0;
}

}  // namespace tessaline
