#include "web/engine/text_codec.h"

#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "web/engine/cp949_table.h"

namespace {

constexpr uint32_t REPLACEMENT = 0xFFFD;
constexpr char UNKNOWN = '?';

enum class Encoding { CP949, UTF8, UTF16LE };

// The CP949 code of every character of the Basic Multilingual Plane, 0 where CP949 has none;
// built once from the CP949 table.
const std::vector<uint16_t>& cp949_codes() {
    static const std::vector<uint16_t> codes = [] {
        std::vector<uint16_t> table(0x10000, 0);
        for (unsigned lead = 0; lead < CP949_LEADS; ++lead)
            for (unsigned trail = 0; trail < CP949_TRAILS; ++trail) {
                uint16_t character = CP949_CHARACTERS[lead * CP949_TRAILS + trail];
                if (character != 0)
                    table[character] = static_cast<uint16_t>((lead + CP949_FIRST_LEAD) << 8 | (trail + CP949_FIRST_TRAIL));
            }
        return table;
    }();
    return codes;
}

void put_cp949(uint32_t character, std::string& out) {
    if (character < 0x80) {
        out += static_cast<char>(character);
        return;
    }
    uint16_t code = character < 0x10000 ? cp949_codes()[character] : 0;
    if (code == 0) {
        out += UNKNOWN;
        return;
    }
    out += static_cast<char>(code >> 8);
    out += static_cast<char>(code & 0xFF);
}

bool starts_with(const unsigned char* bytes, size_t count, const char* mark, size_t length) {
    if (count < length) return false;
    for (size_t k = 0; k < length; ++k)
        if (bytes[k] != static_cast<unsigned char>(mark[k])) return false;
    return true;
}

// The first position from `at` on that holds a byte that is not ASCII, eight bytes at a time.
size_t end_of_ascii(const unsigned char* bytes, size_t at, size_t count) {
    for (uint64_t word; at + 8 <= count; at += 8) {
        std::memcpy(&word, bytes + at, 8);
        if ((word & 0x8080808080808080ULL) != 0) break;
    }
    while (at < count && bytes[at] < 0x80) ++at;
    return at;
}

// The length of the well-formed UTF-8 sequence at `at`, 0 when there is none.
size_t utf8_sequence_length(const unsigned char* bytes, size_t count, size_t at) {
    unsigned char lead = bytes[at];
    if (lead < 0x80) return 1;
    size_t extra;
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
    if (count - at <= extra || bytes[at + 1] < low || bytes[at + 1] > high) return 0;
    for (size_t k = 2; k <= extra; ++k)
        if ((bytes[at + k] & 0xC0) != 0x80) return 0;
    return extra + 1;
}

bool is_non_ascii_utf8(const unsigned char* bytes, size_t count) {
    bool non_ascii = false;
    for (size_t at = 0; at < count;) {
        size_t length = utf8_sequence_length(bytes, count, at);
        if (length == 0) return false;
        non_ascii = non_ascii || length > 1;
        at += length;
    }
    return non_ascii;
}

// Decodes one UTF-8 character at `at`; a malformed sequence yields U+FFFD and consumes its
// longest valid-looking beginning.
uint32_t next_utf8(const std::string& text, size_t& at) {
    auto lead = static_cast<unsigned char>(text[at++]);
    if (lead < 0x80) return lead;
    int extra;
    uint32_t value;
    unsigned char low = 0x80, high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        extra = 1;
        value = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        extra = 2;
        value = lead & 0x0F;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        extra = 3;
        value = lead & 0x07;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    } else {
        return REPLACEMENT;
    }
    auto byte_at = [&text](size_t k) { return static_cast<unsigned char>(text[k]); };
    if (at >= text.size() || byte_at(at) < low || byte_at(at) > high) return REPLACEMENT;
    for (int k = 0; k < extra; ++k) {
        if (at >= text.size() || (byte_at(at) & 0xC0) != 0x80) return REPLACEMENT;
        value = value << 6 | (byte_at(at++) & 0x3F);
    }
    return value;
}

// Text without NULs, the usual case, is copied whole.
std::string without_nul(const unsigned char* bytes, size_t count) {
    std::string out;
    out.reserve(count);
    const auto* text = reinterpret_cast<const char*>(bytes);
    for (size_t at = 0; at < count;) {
        const void* nul = std::memchr(text + at, 0, count - at);
        size_t end = nul == nullptr ? count : static_cast<size_t>(static_cast<const char*>(nul) - text);
        out.append(text + at, end - at);
        at = end + 1;
    }
    return out;
}

// NULs go first, so a NUL inside a sequence does not break it.
std::string utf8_to_cp949(const unsigned char* bytes, size_t count) {
    std::string text = without_nul(bytes, count);
    std::string out;
    out.reserve(text.size());
    const auto* bytes_of_text = reinterpret_cast<const unsigned char*>(text.data());
    for (size_t at = 0; at < text.size();) {
        size_t ascii_end = end_of_ascii(bytes_of_text, at, text.size());
        out.append(text, at, ascii_end - at);
        at = ascii_end;
        if (at < text.size()) put_cp949(next_utf8(text, at), out);
    }
    return out;
}

// A lone last byte pairs with a zero byte behind it.
std::string utf16le_to_cp949(const unsigned char* bytes, size_t count) {
    std::vector<uint16_t> units;
    units.reserve(count / 2 + 1);
    for (size_t k = 0; k < count; k += 2) {
        uint16_t unit = static_cast<uint16_t>(bytes[k] | (k + 1 < count ? bytes[k + 1] << 8 : 0));
        if (unit != 0) units.push_back(unit);
    }
    std::string out;
    out.reserve(units.size() * 2);
    for (size_t k = 0; k < units.size(); ++k) {
        uint32_t unit = units[k];
        bool high = unit >= 0xD800 && unit <= 0xDBFF;
        if (high && k + 1 < units.size() && units[k + 1] >= 0xDC00 && units[k + 1] <= 0xDFFF) {
            put_cp949(0x10000 + ((unit - 0xD800) << 10) + (units[++k] - 0xDC00), out);
            continue;
        }
        put_cp949(unit >= 0xD800 && unit <= 0xDFFF ? REPLACEMENT : unit, out);
    }
    return out;
}

Encoding chosen_encoding(const unsigned char* bytes, size_t count, InputEncoding input_encoding) {
    if (input_encoding == InputEncoding::UTF8) return Encoding::UTF8;
    if (input_encoding == InputEncoding::UTF16LE) return Encoding::UTF16LE;
    if (starts_with(bytes, count, "\xEF\xBB\xBF", 3)) return Encoding::UTF8;
    if (starts_with(bytes, count, "\xFF\xFE", 2)) return Encoding::UTF16LE;
    if (input_encoding == InputEncoding::AUTO && is_non_ascii_utf8(bytes, count)) return Encoding::UTF8;
    return Encoding::CP949;
}

// A character's UTF-8 bytes in the order they are written, the count in the top byte.
uint32_t utf8_entry(uint32_t character) {
    if (character < 0x800) return 2u << 24 | (0x80 | (character & 0x3F)) << 8 | (0xC0 | character >> 6);
    return 3u << 24 | (0x80 | (character & 0x3F)) << 16 | (0x80 | (character >> 6 & 0x3F)) << 8 | (0xE0 | character >> 12);
}

// For every two bytes (first byte * 256 + second) that are a CP949 character, its UTF-8 entry;
// 0 for the rest. One look-up per character, built once from the CP949 table.
const std::vector<uint32_t>& utf8_entries() {
    static const std::vector<uint32_t> entries = [] {
        std::vector<uint32_t> table(0x10000, 0);
        for (unsigned lead = 0; lead < CP949_LEADS; ++lead)
            for (unsigned trail = 0; trail < CP949_TRAILS; ++trail) {
                uint16_t character = CP949_CHARACTERS[lead * CP949_TRAILS + trail];
                if (character != 0)
                    table[(lead + CP949_FIRST_LEAD) << 8 | (trail + CP949_FIRST_TRAIL)] = utf8_entry(character);
            }
        return table;
    }();
    return entries;
}

// Writes an entry's bytes; four are stored at once, the last of them overwritten afterwards.
char* put_entry(uint32_t entry, char* out) {
    std::memcpy(out, &entry, 4);
    return out + (entry >> 24);
}

}  // namespace

DecodedText decode_input(const unsigned char* bytes, size_t count, InputEncoding input_encoding) {
    switch (chosen_encoding(bytes, count, input_encoding)) {
        case Encoding::UTF8: {
            size_t skip = starts_with(bytes, count, "\xEF\xBB\xBF", 3) ? 3 : 0;
            return {utf8_to_cp949(bytes + skip, count - skip), "utf-8"};
        }
        case Encoding::UTF16LE: {
            size_t skip = starts_with(bytes, count, "\xFF\xFE", 2) ? 2 : 0;
            return {utf16le_to_cp949(bytes + skip, count - skip), "utf-16le"};
        }
        case Encoding::CP949: break;
    }
    return {without_nul(bytes, count), "cp949"};
}

Bytes cp949_to_utf8(const std::string& cp949) {
    // No byte becomes more than three: a pair at most three, a byte that begins none U+FFFD; one
    // more for the last entry's fourth byte.
    Bytes out{std::unique_ptr<char[]>(new char[cp949.size() * 3 + 4]), 0};
    const std::vector<uint32_t>& entries = utf8_entries();
    const uint32_t replacement = utf8_entry(REPLACEMENT);
    const auto* bytes = reinterpret_cast<const unsigned char*>(cp949.data());
    const size_t count = cp949.size();
    char* to = out.data.get();
    for (size_t at = 0; at < count;) {
        unsigned char lead = bytes[at];
        if (lead < 0x80) {
            *to++ = static_cast<char>(lead);
            ++at;
            continue;
        }
        uint32_t entry = at + 1 < count ? entries[lead << 8 | bytes[at + 1]] : 0;
        to = put_entry(entry != 0 ? entry : replacement, to);
        at += entry != 0 ? 2 : 1;
    }
    out.size = static_cast<size_t>(to - out.data.get());
    return out;
}
