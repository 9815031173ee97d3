#include "pipeline/source_decoding.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "pipeline/source_loader.h"
#include "platform/platform.h"

namespace {

size_t utf8_sequence_length(const unsigned char* bytes, size_t count, size_t at) {
    unsigned char lead = bytes[at];
    int extra;
    unsigned char low = 0x80, high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) extra = 1;
    else if (lead >= 0xE0 && lead <= 0xEF) {
        extra = 2;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        extra = 3;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    } else return 0;
    if (count - at <= static_cast<size_t>(extra)) return 0;
    if (bytes[at + 1] < low || bytes[at + 1] > high) return 0;
    for (int k = 2; k <= extra; ++k)
        if ((bytes[at + k] & 0xC0) != 0x80) return 0;
    return static_cast<size_t>(extra) + 1;
}

// Removes the NUL bytes of a text so that nothing after them is lost; returns the new length.
size_t drop_nul_bytes(unsigned char* text, size_t count) {
    // Text without NULs, the usual case, is left where it is.
    const void* first = std::memchr(text, 0, count);
    if (first == nullptr) return count;
    auto kept = static_cast<size_t>(static_cast<const unsigned char*>(first) - text);
    for (size_t k = kept; k < count; ++k)
        if (text[k] != 0) text[kept++] = text[k];
    return kept;
}

// Removes the NUL code units of UTF-16LE text; returns the new length in bytes.
size_t drop_nul_units(unsigned char* text, size_t count) {
    size_t kept = 0;
    for (size_t k = 0; k + 1 < count; k += 2) {
        if (text[k] == 0 && text[k + 1] == 0) continue;
        text[kept++] = text[k];
        text[kept++] = text[k + 1];
    }
    return kept;
}

bool starts_with(const TextBuffer& raw, size_t size, const char* mark, size_t mark_length) {
    if (size < mark_length) return false;
    for (size_t k = 0; k < mark_length; ++k)
        if (raw.bytes[k] != static_cast<unsigned char>(mark[k])) return false;
    return true;
}

// The encoding to decode with, and how many bytes of mark to skip.
int choose_encoding(const TextBuffer& raw, size_t size, InputEncoding setting, size_t& skip) {
    int marked = detect_text_encoding(raw.bytes);
    int chosen = marked;
    if (setting == InputEncoding::UTF8) chosen = ENCODING_UTF8;
    if (setting == InputEncoding::UTF16LE) chosen = ENCODING_UTF16LE;
    if (setting == InputEncoding::AUTO && marked == ENCODING_ANSI && is_non_ascii_utf8(raw.bytes, size))
        chosen = ENCODING_UTF8;
    skip = 0;
    if (chosen == ENCODING_UTF8 && starts_with(raw, size, "\xEF\xBB\xBF", 3)) skip = 3;
    if (chosen == ENCODING_UTF16LE && starts_with(raw, size, "\xFF\xFE", 2)) skip = 2;
    return chosen;
}

// The first position from `at` on that holds a non-ASCII byte; ASCII is passed eight bytes at a time.
size_t end_of_ascii(const unsigned char* bytes, size_t at, size_t count) {
    for (uint64_t word; at + 8 <= count; at += 8) {
        std::memcpy(&word, bytes + at, 8);
        if ((word & 0x8080808080808080ULL) != 0) break;
    }
    while (at < count && bytes[at] < 0x80) ++at;
    return at;
}

void become_source(TextBuffer& text, size_t length) {
    text_buffer_reserve(text, length + 2);
    text.bytes[length] = 0;
    text_buffer_release(source_text);
    source_text = text;
    text = TextBuffer{};
}

}  // namespace

bool is_non_ascii_utf8(const unsigned char* bytes, size_t count) {
    bool non_ascii = false;
    for (size_t at = 0; at < count;) {
        if (bytes[at] < 0x80) {
            at = end_of_ascii(bytes, at, count);
            continue;
        }
        size_t length = utf8_sequence_length(bytes, count, at);
        if (length == 0) return false;
        non_ascii = true;
        at += length;
    }
    return non_ascii;
}

size_t decode_into_source(TextBuffer& raw, size_t size, InputEncoding setting) {
    size_t skip = 0;
    int encoding = choose_encoding(raw, size, setting, skip);
    if (encoding == ENCODING_ANSI) {
        size_t length = drop_nul_bytes(raw.bytes, size);
        become_source(raw, length);
        return length;
    }
    size_t count = size - skip;
    // A lone last byte of UTF-16LE text pairs with the first zero byte behind it.
    if (encoding == ENCODING_UTF16LE) count = drop_nul_units(raw.bytes + skip, count + (count & 1));
    else count = drop_nul_bytes(raw.bytes + skip, count);
    size_t length = 0;
    unsigned char* converted = encoding == ENCODING_UTF16LE
                                   ? platform_utf16le_to_cp949(raw.bytes + skip, count, &length)
                                   : platform_utf8_to_cp949(raw.bytes + skip, count, &length);
    text_buffer_release(raw);
    TextBuffer text{converted, length + 1};
    become_source(text, length);
    return length;
}
