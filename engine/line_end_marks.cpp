#include "engine/line_end_marks.h"

#include <cstdint>
#include <cstring>

#include "engine/line_text.h"

namespace {

constexpr unsigned char SYMBOL_LEAD = 0xA1;  // lead byte of the CP949 row of “ ” ‘ ’ … and the like

int64_t end_offset(const LineText& line) {
    int64_t len = line.length;
    return (len > 3 && line.at(len - 3) == ' ') ? 4 : 3;
}

bool is_one_of(unsigned char c, const char* set) { return c != 0 && std::strchr(set, c) != nullptr; }

}  // namespace

unsigned char last_text_char(const LineText& line) { return line.at(line.length - end_offset(line)); }

unsigned char byte_before_last_char(const LineText& line) { return line.at(line.length - end_offset(line) - 1); }

bool is_short_line_stopper(const LineText& line) {
    return is_one_of(last_text_char(line), ".,?!\":;]>)'") || byte_before_last_char(line) == SYMBOL_LEAD;
}

bool is_keep_mark(const LineText& line) {
    unsigned char last = last_text_char(line);
    unsigned char before = byte_before_last_char(line);
    if (is_one_of(last, ".?!\"':;]>")) return true;
    if (before == SYMBOL_LEAD && last >= 0x80) return true;
    // Separator lines such as "====" or "----" end in a doubled mark.
    return last == before && is_one_of(last, "=-*/");
}
