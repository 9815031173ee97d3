#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "pipeline/byte_scan.h"

namespace tessaline {

// Readers that take UTF-8 or UTF-16 in pieces of any size and report each character, or each
// byte (UTF-16: code unit) that is not part of one, with its offset from the first byte given.
// A character cut by the end of a piece is completed by the next; finish() reports what is left.
// `on_character(char32_t c)` and `on_bad(uint64_t offset)` are called in the order of the text.

// Well-formed UTF-8 as Unicode defines it: no overlong forms, no surrogates, nothing past
// U+10FFFF. Every byte outside such a sequence is bad on its own. Runs of ASCII go to
// `on_ascii(std::span<const unsigned char>)` whole.
class Utf8Reader {
public:
    template <class OnAscii, class OnCharacter, class OnBad>
    void read(std::span<const unsigned char> bytes, OnAscii&& on_ascii, OnCharacter&& on_character, OnBad&& on_bad) {
        for (size_t k = 0; k < bytes.size();) {
            if (taken_ == 0) {
                size_t ascii_end = end_of_ascii(bytes, k);
                if (ascii_end > k) {
                    on_ascii(bytes.subspan(k, ascii_end - k));
                    offset_ += ascii_end - k;
                    k = ascii_end;
                    continue;
                }
                char32_t c = 0;
                size_t length = whole_sequence(bytes, k, c);
                if (length > 0) {
                    on_character(c);
                    offset_ += length;
                    k += length;
                    continue;
                }
            }
            if (take(bytes[k], on_character, on_bad)) {
                ++offset_;
                ++k;
            }
        }
    }

    template <class OnBad>
    void finish(OnBad&& on_bad) {
        abandon(on_bad);
    }

private:
    // The length of the well-formed sequence at `at` when it lies whole in `bytes`, else 0.
    static size_t whole_sequence(std::span<const unsigned char> bytes, size_t at, char32_t& c) {
        unsigned char lead = bytes[at];
        size_t length;
        unsigned char low = 0x80, high = 0xBF;
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
            c = lead & 0x1F;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            c = lead & 0x0F;
            if (lead == 0xE0) low = 0xA0;
            if (lead == 0xED) high = 0x9F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            c = lead & 0x07;
            if (lead == 0xF0) low = 0x90;
            if (lead == 0xF4) high = 0x8F;
        } else {
            return 0;
        }
        if (at + length > bytes.size() || bytes[at + 1] < low || bytes[at + 1] > high) return 0;
        for (size_t k = 1; k < length; ++k) {
            if ((bytes[at + k] & 0xC0) != 0x80) return 0;
            c = c << 6 | (bytes[at + k] & 0x3F);
        }
        return length;
    }

    // Takes one byte a character at a time; false when the byte broke an unfinished sequence and
    // must be read again on its own.
    template <class OnCharacter, class OnBad>
    bool take(unsigned char b, OnCharacter& on_character, OnBad& on_bad) {
        if (taken_ == 0) {
            if (b < 0x80) on_character(static_cast<char32_t>(b));
            else begin(b, on_bad);
            return true;
        }
        if (b < low_ || b > high_) {
            abandon(on_bad);
            return false;
        }
        value_ = value_ << 6 | (b & 0x3F);
        low_ = 0x80;
        high_ = 0xBF;
        ++taken_;
        if (--needed_ == 0) {
            on_character(value_);
            taken_ = 0;
        }
        return true;
    }

    template <class OnBad>
    void begin(unsigned char lead, OnBad& on_bad) {
        low_ = 0x80;
        high_ = 0xBF;
        if (lead >= 0xC2 && lead <= 0xDF) {
            needed_ = 1;
            value_ = lead & 0x1F;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            needed_ = 2;
            value_ = lead & 0x0F;
            if (lead == 0xE0) low_ = 0xA0;   // no overlong form
            if (lead == 0xED) high_ = 0x9F;  // no surrogate
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            needed_ = 3;
            value_ = lead & 0x07;
            if (lead == 0xF0) low_ = 0x90;   // no overlong form
            if (lead == 0xF4) high_ = 0x8F;  // nothing past U+10FFFF
        } else {
            on_bad(offset_);
            return;
        }
        taken_ = 1;
    }

    // Each byte of an unfinished sequence is bad.
    template <class OnBad>
    void abandon(OnBad& on_bad) {
        for (uint32_t k = 0; k < taken_; ++k) on_bad(offset_ - taken_ + k);
        taken_ = 0;
        needed_ = 0;
    }

    uint64_t offset_ = 0;  // of the next byte
    char32_t value_ = 0;
    uint32_t needed_ = 0;  // continuation bytes still to come
    uint32_t taken_ = 0;   // bytes of the unfinished sequence so far
    unsigned char low_ = 0x80;
    unsigned char high_ = 0xBF;
};

// UTF-16 in either byte order. A surrogate that is not half of a pair is a bad code unit. A lone
// last byte is, in little-endian order, completed by a zero byte as if the file went on (so a
// cut-off ASCII character survives); in big-endian order it is bad.
class Utf16Reader {
public:
    explicit Utf16Reader(bool big_endian) : big_endian_(big_endian) {}

    template <class OnCharacter, class OnBad>
    void read(std::span<const unsigned char> bytes, OnCharacter&& on_character, OnBad&& on_bad) {
        for (unsigned char b : bytes) {
            if (!has_byte_) {
                first_byte_ = b;
                has_byte_ = true;
                continue;
            }
            has_byte_ = false;
            char16_t unit =
                big_endian_ ? static_cast<char16_t>(first_byte_ << 8 | b) : static_cast<char16_t>(b << 8 | first_byte_);
            take(unit, on_character, on_bad);
            offset_ += 2;
        }
    }

    template <class OnCharacter, class OnBad>
    void finish(OnCharacter&& on_character, OnBad&& on_bad) {
        if (has_byte_ && !big_endian_) {
            has_byte_ = false;
            take(static_cast<char16_t>(first_byte_), on_character, on_bad);
            offset_ += 2;
        }
        if (has_high_) on_bad(offset_ - 2);
        has_high_ = false;
        if (has_byte_) on_bad(offset_);
        has_byte_ = false;
    }

private:
    template <class OnCharacter, class OnBad>
    void take(char16_t unit, OnCharacter& on_character, OnBad& on_bad) {
        bool high = unit >= 0xD800 && unit <= 0xDBFF;
        bool low = unit >= 0xDC00 && unit <= 0xDFFF;
        if (has_high_ && low) {
            has_high_ = false;
            on_character(static_cast<char32_t>(0x10000 + ((high_ - 0xD800) << 10) + (unit - 0xDC00)));
            return;
        }
        if (has_high_) on_bad(offset_ - 2);
        has_high_ = high;
        high_ = unit;
        if (low) on_bad(offset_);
        else if (!high) on_character(static_cast<char32_t>(unit));
    }

    bool big_endian_;
    bool has_byte_ = false;
    bool has_high_ = false;
    unsigned char first_byte_ = 0;
    char16_t high_ = 0;
    uint64_t offset_ = 0;  // of the next whole code unit
};

}  // namespace tessaline
