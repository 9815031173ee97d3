#include "pipeline/min_length.h"

namespace tessaline {

namespace {

bool is_white_space(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

}  // namespace

int32_t min_line_bytes_from(const char* text) {
    int at = 0;
    while (at < min_length_digits && is_white_space(text[at])) ++at;
    bool negative = false;
    if (at < min_length_digits && (text[at] == '+' || text[at] == '-')) negative = text[at++] == '-';
    int32_t value = 0;
    // Nine digits at most, so the doubled value still fits.
    for (; at < min_length_digits && text[at] >= '0' && text[at] <= '9'; ++at) value = value * 10 + (text[at] - '0');
    return 2 * (negative ? -value : value);
}

}  // namespace tessaline
