#include "engine/rules/line_end_marks.h"

#include <array>
#include <cstdint>
#include <string_view>

#include "engine/text/line_text.h"
#include "engine/text/marks.h"

namespace tessaline {

namespace {

int64_t end_offset(const LineText& line) {
    int64_t len = line.length;
    return (len > 3 && line.at(len - 3) == ' ') ? 4 : 3;
}

// Every line asks these, so each set is a table of 256 flags rather than a string to search.
using ByteSet = std::array<bool, 256>;

constexpr ByteSet byte_set(std::string_view bytes) {
    ByteSet set{};
    for (char c : bytes) set[static_cast<unsigned char>(c)] = true;
    return set;
}

constexpr ByteSet short_line_stoppers = byte_set(".,?!\":;]>)'");
constexpr ByteSet keep_marks = byte_set(".?!\"':;]>");
constexpr ByteSet separator_marks = byte_set("=-*/");

}  // namespace

unsigned char last_text_char(const LineText& line) { return line.at(line.length - end_offset(line)); }

unsigned char byte_before_last_char(const LineText& line) { return line.at(line.length - end_offset(line) - 1); }

bool is_short_line_stopper(const LineText& line) {
    return short_line_stoppers[last_text_char(line)] || byte_before_last_char(line) == mark_lead;
}

bool is_keep_mark(const LineText& line) {
    unsigned char last = last_text_char(line);
    unsigned char before = byte_before_last_char(line);
    if (keep_marks[last]) return true;
    if (before == mark_lead && last >= 0x80) return true;
    // Separator lines such as "====" or "----" end in a doubled mark.
    return last == before && separator_marks[last];
}

}  // namespace tessaline
