#include "engine/prescan.h"

#include "engine/engine_state.h"

namespace {

constexpr int64_t PRESCAN_BYTES = 50000;

// A line of more than 30 bytes whose last byte before the line end is not a space.
void count_line_end(int64_t lf, int64_t line_start) {
    int64_t n = lf - line_start + 1;
    int64_t tested = source_byte(lf - 1) == '\r' ? lf - 2 : lf - 1;
    if (n > 30 && source_byte(tested) != ' ') document_profile.unspaced_long_lines += 1;
    unsigned char first = source_byte(line_start);
    if (n > 50 && first != ' ' && first != 0xA1) document_profile.unindented_long_lines += 1;
}

}  // namespace

void prescan_document() {
    int64_t length = engine_state.source_length;
    int64_t line_start = 0;
    for (int64_t i = 0; i < length - 10 && i < PRESCAN_BYTES; ++i) {
        if (source_byte(i) == ' ' && source_byte(i + 1) == '[' && source_byte(i + 2) != ' ')
            document_profile.bracket_openers += 1;
        if (source_byte(i) == '\n') {
            count_line_end(i, line_start);
            line_start = i + 1;
        }
    }
    // Only a document made mostly of long unindented lines turns the indentation rule on.
    document_profile.unindented_long_lines = document_profile.unindented_long_lines > 200 ? 200 : 0;
}
