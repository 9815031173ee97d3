#include <windows.h>

#include <climits>
#include <cstdlib>
#include <cstring>
#include <new>
#include <vector>

#include "platform/platform.h"

namespace tessaline {

namespace {

// The engine works on CP949 whatever code page this Windows uses for its ANSI functions.
constexpr UINT cp949_code_page = 949;
constexpr wchar_t replacement_character = 0xFFFD;

// The conversion calls count in int; a 32-bit process never holds a text that long, so a longer
// count can only mean memory has run out.
int int_count(size_t count) {
    if (count > static_cast<size_t>(INT_MAX)) throw std::bad_alloc();
    return static_cast<int>(count);
}

unsigned char* finish(const char* bytes, size_t count, size_t* out_count) {
    auto* out = static_cast<unsigned char*>(std::malloc(count + 1));
    if (out == nullptr) throw std::bad_alloc();
    if (count > 0) std::memcpy(out, bytes, count);
    out[count] = 0;
    *out_count = count;
    return out;
}

bool is_high_surrogate(wchar_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool is_low_surrogate(wchar_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

// CP949 has no character beyond the first plane: a surrogate pair, or a lone surrogate, becomes
// one U+FFFD, so that it turns into exactly one '?'.
std::vector<wchar_t> without_surrogates(const std::vector<wchar_t>& wide) {
    std::vector<wchar_t> plain;
    plain.reserve(wide.size());
    for (size_t k = 0; k < wide.size(); ++k) {
        if (is_high_surrogate(wide[k]) && k + 1 < wide.size() && is_low_surrogate(wide[k + 1])) ++k;
        plain.push_back(is_high_surrogate(wide[k]) || is_low_surrogate(wide[k]) ? replacement_character : wide[k]);
    }
    return plain;
}

// UTF-16 to CP949, one '?' for every character CP949 lacks, never a look-alike.
unsigned char* wide_to_cp949(const std::vector<wchar_t>& wide, size_t* out_count) {
    std::vector<wchar_t> plain = without_surrogates(wide);
    int length = int_count(plain.size());
    int needed =
        WideCharToMultiByte(cp949_code_page, WC_NO_BEST_FIT_CHARS, plain.data(), length, nullptr, 0, "?", nullptr);
    std::vector<char> out(static_cast<size_t>(needed));
    WideCharToMultiByte(cp949_code_page, WC_NO_BEST_FIT_CHARS, plain.data(), length, out.data(), needed, "?", nullptr);
    return finish(out.data(), out.size(), out_count);
}

// Malformed sequences become U+FFFD, as Windows decodes UTF-8 since Vista.
std::vector<wchar_t> utf8_to_wide(const unsigned char* text, size_t count) {
    const char* from = reinterpret_cast<const char*>(text);
    int needed = MultiByteToWideChar(CP_UTF8, 0, from, int_count(count), nullptr, 0);
    std::vector<wchar_t> wide(static_cast<size_t>(needed));
    MultiByteToWideChar(CP_UTF8, 0, from, int_count(count), wide.data(), needed);
    return wide;
}

std::vector<wchar_t> make_double_byte_table() {
    std::vector<wchar_t> table(65536, 0);
    for (int lead = 0x81; lead <= 0xFE; ++lead) {
        for (int trail = 0x41; trail <= 0xFE; ++trail) {
            const char pair[2] = {static_cast<char>(lead), static_cast<char>(trail)};
            wchar_t unit = 0;
            if (MultiByteToWideChar(cp949_code_page, MB_ERR_INVALID_CHARS, pair, 2, &unit, 1) == 1)
                table[static_cast<size_t>(lead << 8 | trail)] = unit;
        }
    }
    return table;
}

// The character of every two-byte CP949 sequence, or 0 where the pair is not one; made once,
// by whichever thread asks first.
const std::vector<wchar_t>& double_byte_characters() {
    static const std::vector<wchar_t> table = make_double_byte_table();
    return table;
}

// One CP949 character at `at`: its UTF-16 form and its byte length, or U+FFFD and 1 when the
// byte begins no valid character.
size_t decode_cp949_character(const unsigned char* text, size_t count, size_t at, wchar_t& unit) {
    if (text[at] < 0x80) {
        unit = text[at];
        return 1;
    }
    if (at + 1 < count) {
        unit = double_byte_characters()[static_cast<size_t>(text[at] << 8 | text[at + 1])];
        if (unit != 0) return 2;
    }
    unit = replacement_character;
    return 1;
}

}  // namespace

unsigned char* platform_utf8_to_cp949(const unsigned char* text, size_t count, size_t* out_count) {
    return wide_to_cp949(utf8_to_wide(text, count), out_count);
}

unsigned char* platform_utf16le_to_cp949(const unsigned char* text, size_t count, size_t* out_count) {
    std::vector<wchar_t> wide(count / 2);
    for (size_t k = 0; k < wide.size(); ++k) wide[k] = static_cast<wchar_t>(text[2 * k] | (text[2 * k + 1] << 8));
    return wide_to_cp949(wide, out_count);
}

unsigned char* platform_cp949_to_utf8(const unsigned char* text, size_t count, size_t* out_count) {
    std::vector<wchar_t> wide;
    wide.reserve(count);
    for (size_t at = 0; at < count;) {
        wchar_t unit = 0;
        at += decode_cp949_character(text, count, at, unit);
        wide.push_back(unit);
    }
    int length = int_count(wide.size());
    int needed = WideCharToMultiByte(CP_UTF8, 0, wide.data(), length, nullptr, 0, nullptr, nullptr);
    std::vector<char> out(static_cast<size_t>(needed));
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), length, out.data(), needed, nullptr, nullptr);
    return finish(out.data(), out.size(), out_count);
}

void platform_cp949_characters(uint16_t* table) {
    const std::vector<wchar_t>& characters = double_byte_characters();
    for (size_t code = 0; code < characters.size(); ++code) table[code] = static_cast<uint16_t>(characters[code]);
}

unsigned char* platform_name_to_cp949(const char* name, size_t* out_count) {
    return finish(name, std::strlen(name), out_count);
}

unsigned char* platform_name_to_utf8(const char* name, size_t* out_count) {
    return platform_cp949_to_utf8(reinterpret_cast<const unsigned char*>(name), std::strlen(name), out_count);
}

}  // namespace tessaline
