#include <errno.h>
#include <iconv.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>
#include <vector>

#include "platform/platform.h"
#include "platform/utf8_decoding.h"

namespace tessaline {

namespace {

// A growing malloc'd output that always has room for one NUL behind its bytes.
struct Output {
    unsigned char* bytes;
    size_t length;
    size_t capacity;
};

Output output_with_room(size_t capacity) {
    auto* bytes = static_cast<unsigned char*>(std::malloc(capacity + 1));
    if (bytes == nullptr) throw std::bad_alloc();
    return Output{bytes, 0, capacity};
}

void grow(Output& out) {
    out.capacity = out.capacity * 2 + 16;
    auto* bytes = static_cast<unsigned char*>(std::realloc(out.bytes, out.capacity + 1));
    if (bytes == nullptr) {
        std::free(out.bytes);
        throw std::bad_alloc();
    }
    out.bytes = bytes;
}

void put(Output& out, const char* bytes, size_t count) {
    while (out.capacity - out.length < count) grow(out);
    std::memcpy(out.bytes + out.length, bytes, count);
    out.length += count;
}

unsigned char* finish(Output& out, size_t* out_count) {
    out.bytes[out.length] = 0;
    *out_count = out.length;
    return out.bytes;
}

std::vector<uint32_t> utf8_code_points(const unsigned char* text, size_t count) {
    std::vector<uint32_t> points;
    points.reserve(count);
    size_t at = 0;
    while (at < count) points.push_back(decode_utf8(text, count, at));
    return points;
}

std::vector<uint32_t> utf16le_code_points(const unsigned char* text, size_t count) {
    std::vector<uint32_t> points;
    points.reserve(count / 2);
    size_t units = count / 2;
    for (size_t k = 0; k < units; ++k) {
        uint32_t unit = text[2 * k] | (text[2 * k + 1] << 8);
        if (unit >= 0xD800 && unit <= 0xDBFF && k + 1 < units) {
            uint32_t low = text[2 * k + 2] | (text[2 * k + 3] << 8);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                points.push_back(0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
                ++k;
                continue;
            }
        }
        points.push_back(unit >= 0xD800 && unit <= 0xDFFF ? replacement_character : unit);
    }
    return points;
}

// An iconv conversion, closed however the conversion ends.
struct Converter {
    iconv_t handle;
    Converter(const char* to, const char* from) : handle(iconv_open(to, from)) {
        // Without its CP949 tables this system cannot run the program at all.
        if (handle == reinterpret_cast<iconv_t>(-1)) std::abort();
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;
    ~Converter() { iconv_close(handle); }
};

// Runs iconv over the whole input; where it cannot go on, `replacement` is written, `skip` input
// bytes are passed over and the conversion resumes.
void convert_all(iconv_t converter, const char* input, size_t count, size_t skip, const char* replacement,
                 Output& out) {
    auto* in = const_cast<char*>(input);
    size_t in_left = count;
    while (in_left > 0) {
        char* to = reinterpret_cast<char*>(out.bytes + out.length);
        size_t room = out.capacity - out.length;
        size_t result = iconv(converter, &in, &in_left, &to, &room);
        out.length = out.capacity - room;
        if (result != static_cast<size_t>(-1)) break;
        if (errno == E2BIG) {
            grow(out);
            continue;
        }
        put(out, replacement, std::strlen(replacement));
        size_t passed = skip < in_left ? skip : in_left;
        in += passed;
        in_left -= passed;
    }
}

unsigned char* code_points_to_cp949(const std::vector<uint32_t>& points, size_t* out_count) {
    std::vector<unsigned char> wide(points.size() * 4);
    for (size_t k = 0; k < points.size(); ++k)
        for (int b = 0; b < 4; ++b) wide[4 * k + b] = static_cast<unsigned char>(points[k] >> (8 * b));
    Output out = output_with_room(points.size() * 2 + 16);
    Converter converter("CP949", "UTF-32LE");
    convert_all(converter.handle, reinterpret_cast<const char*>(wide.data()), wide.size(), 4, "?", out);
    return finish(out, out_count);
}

// The character of every two-byte CP949 sequence, or 0 where the pair is not one; made once, by
// whichever thread asks first. Pair by pair, because on a pair that is no character glibc's
// iconv may report the error past it, and the byte after would be lost with it.
std::vector<uint16_t> make_double_byte_table() {
    std::vector<uint16_t> table(65536, 0);
    Converter converter("UTF-16LE", "CP949");
    for (unsigned lead = 0x81; lead <= 0xFE; ++lead) {
        for (unsigned trail = 0x41; trail <= 0xFE; ++trail) {
            char pair[2] = {static_cast<char>(lead), static_cast<char>(trail)};
            unsigned char unit[4] = {};
            char* in = pair;
            size_t in_left = sizeof pair;
            char* to = reinterpret_cast<char*>(unit);
            size_t room = sizeof unit;
            iconv(converter.handle, nullptr, nullptr, nullptr, nullptr);
            bool one_unit = iconv(converter.handle, &in, &in_left, &to, &room) != static_cast<size_t>(-1) &&
                            in_left == 0 && room == sizeof unit - 2;
            if (one_unit) table[lead << 8 | trail] = static_cast<uint16_t>(unit[0] | unit[1] << 8);
        }
    }
    return table;
}

const std::vector<uint16_t>& double_byte_characters() {
    static const std::vector<uint16_t> table = make_double_byte_table();
    return table;
}

// One CP949 character at `at`: the character and its byte length, or U+FFFD and 1 when the byte
// begins no valid character.
size_t decode_cp949_character(const unsigned char* text, size_t count, size_t at, uint16_t& character) {
    if (text[at] < 0x80) {
        character = text[at];
        return 1;
    }
    if (at + 1 < count) {
        character = double_byte_characters()[static_cast<size_t>(text[at] << 8 | text[at + 1])];
        if (character != 0) return 2;
    }
    character = replacement_character;
    return 1;
}

void put_utf8(Output& out, uint16_t character) {
    char bytes[3];
    size_t length = 0;
    if (character < 0x80) {
        bytes[length++] = static_cast<char>(character);
    } else if (character < 0x800) {
        bytes[length++] = static_cast<char>(0xC0 | character >> 6);
        bytes[length++] = static_cast<char>(0x80 | (character & 0x3F));
    } else {
        bytes[length++] = static_cast<char>(0xE0 | character >> 12);
        bytes[length++] = static_cast<char>(0x80 | (character >> 6 & 0x3F));
        bytes[length++] = static_cast<char>(0x80 | (character & 0x3F));
    }
    put(out, bytes, length);
}

}  // namespace

unsigned char* platform_utf8_to_cp949(const unsigned char* text, size_t count, size_t* out_count) {
    return code_points_to_cp949(utf8_code_points(text, count), out_count);
}

unsigned char* platform_utf16le_to_cp949(const unsigned char* text, size_t count, size_t* out_count) {
    return code_points_to_cp949(utf16le_code_points(text, count), out_count);
}

unsigned char* platform_cp949_to_utf8(const unsigned char* text, size_t count, size_t* out_count) {
    Output out = output_with_room(count * 3 + 16);
    for (size_t at = 0; at < count;) {
        uint16_t character = 0;
        at += decode_cp949_character(text, count, at, character);
        put_utf8(out, character);
    }
    return finish(out, out_count);
}

void platform_cp949_characters(uint16_t* table) {
    const std::vector<uint16_t>& characters = double_byte_characters();
    std::copy(characters.begin(), characters.end(), table);
}

unsigned char* platform_name_to_cp949(const char* name, size_t* out_count) {
    return platform_utf8_to_cp949(reinterpret_cast<const unsigned char*>(name), std::strlen(name), out_count);
}

unsigned char* platform_name_to_utf8(const char* name, size_t* out_count) {
    size_t length = std::strlen(name);
    Output out = output_with_room(length);
    put(out, name, length);
    return finish(out, out_count);
}

}  // namespace tessaline
