#include "engine/line_end_marks.h"

#include <cstring>

#include "engine/engine_state.h"

namespace {

constexpr unsigned char SYMBOL_LEAD = 0xA1;  // lead byte of the CP949 row of “ ” ‘ ’ … and the like

int64_t end_offset() {
    int64_t len = engine_state.line_len;
    return (len > 3 && line_byte(len - 3) == ' ') ? 4 : 3;
}

bool is_one_of(unsigned char c, const char* set) { return c != 0 && std::strchr(set, c) != nullptr; }

}  // namespace

unsigned char last_text_char() { return line_byte(engine_state.line_len - end_offset()); }

unsigned char byte_before_last_char() { return line_byte(engine_state.line_len - end_offset() - 1); }

bool is_short_line_stopper() {
    return is_one_of(last_text_char(), ".,?!\":;]>)'") || byte_before_last_char() == SYMBOL_LEAD;
}

bool is_keep_mark() {
    unsigned char last = last_text_char();
    unsigned char before = byte_before_last_char();
    if (is_one_of(last, ".?!\"':;]>")) return true;
    if (before == SYMBOL_LEAD && last >= 0x80) return true;
    // Separator lines such as "====" or "----" end in a doubled mark.
    return last == before && is_one_of(last, "=-*/");
}
