#include "engine/hanja_removal.h"

#include <cstring>

#include "engine/engine_state.h"

namespace {

constexpr int64_t FARTHEST_CLOSE = 19;  // a gloss holds at most 18 bytes between its parentheses

// Offset of the first ")" within 19 bytes after the "(" at j, or 0 when there is none.
int64_t closing_offset(int64_t j, int64_t n_line) {
    for (int64_t d = 1; d <= FARTHEST_CLOSE && j + d < n_line; ++d)
        if (line_byte(j + d) == ')') return d;
    return 0;
}

bool opens_word(unsigned char b) { return b == ' ' || b == '"' || b == '\''; }

// The n bytes before the "(" at j (or before the space in front of it) form a word of their own.
bool word_stands_alone(int64_t j, int64_t n) {
    bool spaced = line_byte(j - 1) == ' ';
    // With a space in front, a word that reached the line's start would take in a byte before it.
    if (n == j) return !spaced;
    if (n < j) return opens_word(line_byte(spaced ? j - n - 2 : j - n - 1));
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
        if (line_byte(x) == ' ') return false;
    return true;
}

// Removes bytes from..to (both included) by rebuilding the line in the scratch buffer.
int64_t cut(int64_t from, int64_t to, int64_t n_line) {
    int64_t removed = to - from + 1;
    int64_t kept = n_line - removed;
    text_buffer_reserve(scratch_buffer, static_cast<size_t>(n_line) + 1);
    std::memcpy(scratch_buffer.bytes, line_buffer.bytes, static_cast<size_t>(from));
    std::memcpy(scratch_buffer.bytes + from, line_buffer.bytes + to + 1, static_cast<size_t>(n_line - to - 1));
    scratch_buffer.bytes[kept] = 0;
    std::memcpy(line_buffer.bytes, scratch_buffer.bytes, static_cast<size_t>(kept) + 1);
    engine_state.line_len -= static_cast<int32_t>(removed);
    return kept;
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
    int64_t n_line = text_length();
    for (int64_t j = 0; j < n_line;) {
        int64_t d = line_byte(j) == '(' ? closing_offset(j, n_line) : 0;
        int64_t n = d - 1;
        if (d == 0 || !word_stands_alone(j, n) || !word_has_no_space(j, n)) {
            ++j;
            continue;
        }
        int64_t from = line_byte(j - 1) == ' ' ? j - 1 : j;
        n_line = cut(from, j + d, n_line);
        j += 4;
    }
}
