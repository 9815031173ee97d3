#pragma once

#include <cstddef>
#include <cstdint>

namespace tessaline {

// The character that stands for bytes no encoding can read.
constexpr uint32_t replacement_character = 0xFFFD;

// Decodes one UTF-8 character at `at`; a malformed sequence yields U+FFFD and consumes its
// longest valid-looking beginning, as Windows does. Shared by the builds that decode UTF-8
// themselves: POSIX and the browser.
inline uint32_t decode_utf8(const unsigned char* text, size_t count, size_t& at) {
    unsigned char lead = text[at++];
    if (lead < 0x80) return lead;
    int extra;
    uint32_t value;
    unsigned char low = 0x80, high = 0xBF;  // the second byte's range, narrower after some leads
    if (lead >= 0xC2 && lead <= 0xDF) {
        extra = 1;
        value = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        extra = 2;
        value = lead & 0x0F;
        if (lead == 0xE0) low = 0xA0;   // no overlong form
        if (lead == 0xED) high = 0x9F;  // no surrogate
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        extra = 3;
        value = lead & 0x07;
        if (lead == 0xF0) low = 0x90;   // no overlong form
        if (lead == 0xF4) high = 0x8F;  // nothing past U+10FFFF
    } else {
        return replacement_character;
    }
    if (at >= count || text[at] < low || text[at] > high) return replacement_character;
    for (int k = 0; k < extra; ++k) {
        if (at >= count || (text[at] & 0xC0) != 0x80) return replacement_character;
        value = value << 6 | (text[at++] & 0x3F);
    }
    return value;
}

}  // namespace tessaline
