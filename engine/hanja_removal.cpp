#include "engine/hanja_removal.h"

#include <cstring>

#include "engine/engine_state.h"

namespace {

constexpr int64_t FARTHEST_CLOSE = 19;  // a gloss holds at most 18 bytes between its parentheses

// The line with its removed glosses as a gap in the line buffer: bytes before `kept_end` are
// final, the rest of the line follows `gap` bytes later. Moving the gap only ever forwards keeps
// a line full of glosses linear.
struct GapLine {
    int64_t kept_end;
    int64_t gap;
    int64_t length;  // the line's text length without the removed bytes
};

GapLine line;

// The byte at `x` of the line as it stands now; NUL before its start and past its end.
unsigned char at(int64_t x) {
    if (x < 0 || x >= line.length) return 0;
    return line_buffer.bytes[x < line.kept_end ? x : x + line.gap];
}

void move_gap_to(int64_t x) {
    for (; line.kept_end < x; ++line.kept_end) line_buffer.bytes[line.kept_end] = line_buffer.bytes[line.kept_end + line.gap];
}

// Offset of the first ")" within 19 bytes after the "(" at j, or 0 when there is none.
int64_t closing_offset(int64_t j) {
    for (int64_t d = 1; d <= FARTHEST_CLOSE && j + d < line.length; ++d)
        if (at(j + d) == ')') return d;
    return 0;
}

bool opens_word(unsigned char b) { return b == ' ' || b == '"' || b == '\''; }

// The n bytes before the "(" at j (or before the space in front of it) form a word of their own.
bool word_stands_alone(int64_t j, int64_t n) {
    bool spaced = at(j - 1) == ' ';
    // With a space in front, a word that reached the line's start would take in a byte before it.
    if (n == j) return !spaced;
    if (n < j) return opens_word(at(spaced ? j - n - 2 : j - n - 1));
    int64_t out = engine_state.output_length;
    return j == 0 && output_byte(out - n - 1) == ' ';
}

// A gloss at the line's start belongs to the last word of the output text, so that word is checked
// there; a line break inside it means the line was not joined to it.
bool output_word_is_whole(int64_t n) {
    int64_t out = engine_state.output_length;
    for (int64_t x = out - n; x < out; ++x) {
        unsigned char b = output_byte(x);
        if (b == ' ' || b == '\r' || b == '\n') return false;
    }
    return true;
}

bool word_has_no_space(int64_t j, int64_t n) {
    if (n > j && !output_word_is_whole(n)) return false;
    for (int64_t x = j - n; x <= j - 2; ++x)
        if (at(x) == ' ') return false;
    return true;
}

// Removes bytes from..to (both included) of the line as it stands now.
void cut(int64_t from, int64_t to) {
    int64_t removed = to - from + 1;
    move_gap_to(from);
    line.gap += removed;
    line.length -= removed;
    engine_state.line_len -= static_cast<int32_t>(removed);
}

// Closes the gap: the rest of the line, its NUL and anything the line counts after it move down.
void close_gap() {
    if (line.gap == 0) return;
    int64_t counted = engine_state.line_len;
    std::memmove(line_buffer.bytes + line.kept_end, line_buffer.bytes + line.kept_end + line.gap,
                 static_cast<size_t>(counted - line.kept_end));
    line_buffer.bytes[counted] = 0;
}

// The line's length up to its NUL; a last line ending in a lone CR counts its NUL in line_len.
int64_t text_length() {
    auto size = static_cast<size_t>(engine_state.line_len);
    const void* nul = std::memchr(line_buffer.bytes, 0, size);
    return nul == nullptr ? engine_state.line_len : static_cast<const unsigned char*>(nul) - line_buffer.bytes;
}

}  // namespace

void remove_hanja_glosses() {
    if (engine_state.line_len <= 0) return;
    line = GapLine{0, 0, text_length()};
    for (int64_t j = 0; j < line.length;) {
        int64_t d = at(j) == '(' ? closing_offset(j) : 0;
        int64_t n = d - 1;
        if (d == 0 || !word_stands_alone(j, n) || !word_has_no_space(j, n)) {
            ++j;
            continue;
        }
        cut(at(j - 1) == ' ' ? j - 1 : j, j + d);
        j += 4;
    }
    close_gap();
}
