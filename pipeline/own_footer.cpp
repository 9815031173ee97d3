#include "pipeline/own_footer.h"

#include <cstring>

namespace tessaline {

const char FOOTER_VERSION_LINE[] = "[modify by Tessaline  beta2 ver 2010.7.7]";
const char FOOTER_DATE_OPENING[] = "[Text modified date: ";

namespace {

// The footer is looked for only where one could be: its date fields have at most this many digits,
constexpr size_t DATE_FIELD_DIGITS = 10;
// and at most this many spaces and line breaks follow it, so a text that ends in a flood of them
// is never held back whole.
constexpr size_t BLANKS_AFTER_FOOTER = 64 * 1024;

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
    return reader.take(FOOTER_VERSION_LINE) && reader.take_line_end() && reader.take(FOOTER_DATE_OPENING) &&
           reader.take_digits() && reader.take(".") && reader.take_digits() && reader.take(".") &&
           reader.take_digits() && reader.take("]") && reader.only_blanks_left();
}

size_t longest_footer() {
    return std::strlen(FOOTER_VERSION_LINE) + 2 + std::strlen(FOOTER_DATE_OPENING) + 3 * DATE_FIELD_DIGITS + 3;
}

size_t blanks_at_end(const unsigned char* text, size_t length) {
    size_t count = 0;
    while (count < length && is_blank(text[length - 1 - count])) ++count;
    return count;
}

}  // namespace

size_t length_without_own_footer(const unsigned char* text, size_t length) {
    size_t blanks = blanks_at_end(text, length);
    if (blanks > BLANKS_AFTER_FOOTER) return length;
    size_t end = length - blanks;
    size_t longest = longest_footer();
    size_t earliest = end > longest ? end - longest : 0;
    for (size_t start = earliest; start < end; ++start)
        if ((start == 0 || text[start - 1] == '\n') && footer_at(text, length, start)) return start;
    return length;
}

size_t OwnFooterFilter::releasable() const {
    const auto* bytes = reinterpret_cast<const unsigned char*>(held_.data());
    size_t blanks = blanks_at_end(bytes, held_.size());
    size_t kept = longest_footer() + 1 + (blanks < BLANKS_AFTER_FOOTER ? blanks : BLANKS_AFTER_FOOTER + 1);
    return held_.size() > kept ? held_.size() - kept : 0;
}

}  // namespace tessaline
