#include "pipeline/own_footer.h"

#include <algorithm>
#include <cstring>

namespace tessaline {

const char footer_version_line[] = "[modify by Tessaline  beta2 ver 2010.7.7]";
const char footer_date_opening[] = "[Text modified date: ";

namespace {

// The footer is looked for only where one could be: its date fields have at most this many digits,
constexpr size_t date_field_digits = 10;
// and at most this many spaces and line breaks follow it, so a text that ends in a flood of them
// is never held back whole.
constexpr size_t blanks_after_footer = 64 * 1024;

bool is_blank(unsigned char c) { return c == ' ' || c == '\r' || c == '\n'; }

// The bytes of a text, read forwards from a position that only ever moves on.
struct Reader {
    const unsigned char* text;
    size_t length;
    size_t at;

    bool take(const char* word) {
        size_t count = std::strlen(word);
        if (length - at < count || std::memcmp(text + at, word, count) != 0) return false;
        at += count;
        return true;
    }

    bool take_line_end() {
        take("\r");
        return take("\n");
    }

    bool take_digits() {
        size_t start = at;
        while (at < length && text[at] >= '0' && text[at] <= '9') ++at;
        return at > start;
    }

    bool only_blanks_left() const {
        for (size_t k = at; k < length; ++k)
            if (!is_blank(text[k])) return false;
        return true;
    }
};

// Whether the footer starts at `start` and nothing but blanks follows it.
bool footer_at(const unsigned char* text, size_t length, size_t start) {
    Reader reader{text, length, start};
    return reader.take(footer_version_line) && reader.take_line_end() && reader.take(footer_date_opening) &&
           reader.take_digits() && reader.take(".") && reader.take_digits() && reader.take(".") &&
           reader.take_digits() && reader.take("]") && reader.only_blanks_left();
}

size_t longest_footer() {
    return std::strlen(footer_version_line) + 2 + std::strlen(footer_date_opening) + 3 * date_field_digits + 3;
}

size_t blanks_at_end(const unsigned char* text, size_t length) {
    size_t count = 0;
    while (count < length && is_blank(text[length - 1 - count])) ++count;
    return count;
}

}  // namespace

size_t length_without_own_footer(const unsigned char* text, size_t length) {
    size_t blanks = blanks_at_end(text, length);
    if (blanks > blanks_after_footer) return length;
    size_t end = length - blanks;
    size_t longest = longest_footer();
    size_t earliest = end > longest ? end - longest : 0;
    for (size_t start = earliest; start < end; ++start)
        if ((start == 0 || text[start - 1] == '\n') && footer_at(text, length, start)) return start;
    return length;
}

size_t OwnFooterFilter::kept_of(const unsigned char* text, size_t length) {
    size_t blanks = blanks_at_end(text, length);
    return longest_footer() + 1 + (blanks < blanks_after_footer ? blanks : blanks_after_footer + 1);
}

size_t OwnFooterFilter::releasable() const {
    size_t kept = kept_of(reinterpret_cast<const unsigned char*>(held_.data()), held_.size());
    return held_.size() > kept ? held_.size() - kept : 0;
}

size_t OwnFooterFilter::kept_of_piece(std::span<const unsigned char> piece) {
    size_t kept = kept_of(piece.data(), piece.size());
    bool blanks_end_inside = blanks_at_end(piece.data(), piece.size()) < std::min(piece.size(), blanks_after_footer);
    return blanks_end_inside && kept <= piece.size() ? kept : piece.size() + 1;
}

}  // namespace tessaline
