#include "engine/rules/hanja_removal.h"

#include <cstring>

#include "engine/passes/conversion.h"
#include "engine/text/byte_search.h"

namespace tessaline {

namespace {

constexpr int64_t farthest_close = 19;  // a gloss holds at most 18 bytes between its parentheses

// The line with its removed glosses as a gap: bytes before `kept_end` are final, the rest of the
// line follows `gap` bytes later. Moving the gap only ever forwards keeps a line full of glosses
// linear. Bytes from the text's end to `counted` follow the text and move with it.
class GapLine {
public:
    GapLine(unsigned char* bytes, int64_t from, int64_t text_end, int64_t counted)
        : bytes_(bytes), kept_end_(from), length_(text_end), counted_(counted) {}

    int64_t length() const { return length_; }
    int64_t removed() const { return gap_; }

    // The byte at `x` of the line as it stands now; NUL before its start and past its end.
    unsigned char at(int64_t x) const {
        if (x < 0 || x >= length_) return 0;
        return bytes_[x < kept_end_ ? x : x + gap_];
    }

    // Removes bytes from..to (both included) of the line as it stands now.
    void cut(int64_t from, int64_t to) {
        int64_t removed = to - from + 1;
        move_gap_to(from);
        gap_ += removed;
        length_ -= removed;
        counted_ -= removed;
    }

    // Closes the gap: the rest of the line and the bytes counted after it move down, a NUL after them.
    void close() {
        if (gap_ == 0) return;
        std::memmove(bytes_ + kept_end_, bytes_ + kept_end_ + gap_, static_cast<size_t>(counted_ - kept_end_));
        bytes_[counted_] = 0;
    }

private:
    void move_gap_to(int64_t x) {
        for (; kept_end_ < x; ++kept_end_) bytes_[kept_end_] = bytes_[kept_end_ + gap_];
    }

    unsigned char* bytes_;
    int64_t kept_end_;
    int64_t gap_ = 0;
    int64_t length_;  // the line's text length without the removed bytes
    int64_t counted_;
};

// Offset of the first ")" within 19 bytes after the "(" at j, or 0 when there is none.
int64_t closing_offset(const GapLine& line, int64_t j) {
    for (int64_t d = 1; d <= farthest_close && j + d < line.length(); ++d)
        if (line.at(j + d) == ')') return d;
    return 0;
}

bool opens_word(unsigned char b) { return b == ' ' || b == '"' || b == '\''; }

// The n bytes before the "(" at j (or before the space in front of it) form a word of their own.
bool word_stands_alone(const Conversion& cv, const GapLine& line, int64_t j, int64_t n) {
    bool spaced = line.at(j - 1) == ' ';
    // With a space in front, a word that reached the line's start would take in a byte before it.
    if (n == j) return !spaced;
    if (n < j) return opens_word(line.at(spaced ? j - n - 2 : j - n - 1));
    int64_t out = cv.output_length();
    return j == 0 && cv.output_byte(out - n - 1) == ' ';
}

// A gloss at the line's start belongs to the last word of the output text, so that word is checked
// there; a line break inside it means the line was not joined to it.
bool output_word_is_whole(const Conversion& cv, int64_t n) {
    int64_t out = cv.output_length();
    for (int64_t x = out - n; x < out; ++x) {
        unsigned char b = cv.output_byte(x);
        if (b == ' ' || b == '\r' || b == '\n') return false;
    }
    return true;
}

bool word_has_no_space(const Conversion& cv, const GapLine& line, int64_t j, int64_t n) {
    if (n > j && !output_word_is_whole(cv, n)) return false;
    for (int64_t x = j - n; x <= j - 2; ++x)
        if (line.at(x) == ' ') return false;
    return true;
}

// The line's length up to its NUL; a last line ending in a lone CR counts its NUL in its length.
int64_t text_length(const LineText& line, int64_t from) {
    auto size = static_cast<size_t>(line.length - from);
    const void* nul = std::memchr(line.bytes() + from, 0, size);
    return nul == nullptr ? line.length : static_cast<const unsigned char*>(nul) - line.bytes();
}

// Removes the glosses among bytes from..text_end of a line whose first bytes lie at `bytes`;
// returns how many bytes went.
int64_t remove_glosses(const Conversion& cv, unsigned char* bytes, int64_t from, int64_t text_end, int64_t counted) {
    GapLine line(bytes, from, text_end, counted);
    for (int64_t j = from; j < line.length();) {
        int64_t d = line.at(j) == '(' ? closing_offset(line, j) : 0;
        int64_t n = d - 1;
        if (d == 0 || !word_stands_alone(cv, line, j, n) || !word_has_no_space(cv, line, j, n)) {
            ++j;
            continue;
        }
        line.cut(line.at(j - 1) == ' ' ? j - 1 : j, j + d);
        j += 4;
    }
    line.close();
    return line.removed();
}

// Most lines hold no parenthesis at all.
bool holds_parenthesis(const unsigned char* bytes, int64_t from, int64_t to) {
    return from < to && find_first_of<'('>(bytes, from, to) < to;
}

}  // namespace

void remove_hanja_glosses(Conversion& cv, int64_t from) {
    LineText& line = cv.line;
    if (!holds_parenthesis(line.bytes(), from, line.length)) return;
    line.length -= remove_glosses(cv, line.bytes(), from, text_length(line, from), line.length);
}

int64_t remove_hanja_in_piece(const Conversion& cv, unsigned char* bytes, int64_t from, int64_t to) {
    if (!holds_parenthesis(bytes, from, to)) return to;
    return to - remove_glosses(cv, bytes, from, to, to);
}

}  // namespace tessaline
