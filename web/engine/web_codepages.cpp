// The code pages of platform/platform.h in the browser: CP949 from a table written at build time
// (the system's iconv tables are not there, and the C library's own CP949 differs from them),
// UTF-8 and UTF-16 decoded as the POSIX and Windows builds decode them.

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>
#include <vector>

#include "platform/platform.h"
#include "platform/utf8_decoding.h"
#include "web/engine/cp949_table.h"

namespace tessaline {

namespace {

constexpr char unknown = '?';

// A malloc'd result with room for one NUL behind its bytes, as the platform's callers free it.
class Output {
public:
    explicit Output(size_t capacity) : bytes_(static_cast<unsigned char*>(std::malloc(capacity + 1))) {
        if (bytes_ == nullptr) throw std::bad_alloc();
    }
    unsigned char* at() { return bytes_ + length_; }
    void advance(size_t count) { length_ += count; }
    void put(unsigned char byte) { bytes_[length_++] = byte; }
    unsigned char* finish(size_t* out_count) {
        bytes_[length_] = 0;
        *out_count = length_;
        return bytes_;
    }

private:
    unsigned char* bytes_;
    size_t length_ = 0;
};

// The CP949 code (first byte * 256 + second) of every character of the first plane, 0 where
// CP949 has none; built once from the table.
const std::vector<uint16_t>& cp949_codes() {
    static const std::vector<uint16_t> codes = [] {
        std::vector<uint16_t> table(0x10000, 0);
        for (unsigned lead = 0; lead < cp949_leads; ++lead)
            for (unsigned trail = 0; trail < cp949_trails; ++trail) {
                uint16_t character = cp949_characters[lead * cp949_trails + trail];
                if (character != 0)
                    table[character] =
                        static_cast<uint16_t>((lead + cp949_first_lead) << 8 | (trail + cp949_first_trail));
            }
        return table;
    }();
    return codes;
}

// A character as CP949: itself below 0x80, its two bytes, or "?" where CP949 lacks it.
void put_cp949(uint32_t character, Output& out) {
    if (character < 0x80) {
        out.put(static_cast<unsigned char>(character));
        return;
    }
    uint16_t code = character < 0x10000 ? cp949_codes()[character] : 0;
    if (code == 0) {
        out.put(unknown);
        return;
    }
    out.put(static_cast<unsigned char>(code >> 8));
    out.put(static_cast<unsigned char>(code & 0xFF));
}

// A character's UTF-8 bytes in the order they are written, their count in the top byte.
uint32_t utf8_entry(uint32_t character) {
    if (character < 0x800) return 2u << 24 | (0x80 | (character & 0x3F)) << 8 | (0xC0 | character >> 6);
    return 3u << 24 | (0x80 | (character & 0x3F)) << 16 | (0x80 | (character >> 6 & 0x3F)) << 8 |
           (0xE0 | character >> 12);
}

// For every two bytes (first byte * 256 + second) that are a CP949 character, its UTF-8 entry;
// 0 for the rest. One look-up per character, built once from the table.
const std::vector<uint32_t>& utf8_entries() {
    static const std::vector<uint32_t> entries = [] {
        std::vector<uint32_t> table(0x10000, 0);
        for (unsigned lead = 0; lead < cp949_leads; ++lead)
            for (unsigned trail = 0; trail < cp949_trails; ++trail) {
                uint16_t character = cp949_characters[lead * cp949_trails + trail];
                if (character != 0)
                    table[(lead + cp949_first_lead) << 8 | (trail + cp949_first_trail)] = utf8_entry(character);
            }
        return table;
    }();
    return entries;
}

// Writes an entry's bytes: four are stored at once, the last of them overwritten afterwards.
void put_entry(uint32_t entry, Output& out) {
    std::memcpy(out.at(), &entry, 4);
    out.advance(entry >> 24);
}

}  // namespace

unsigned char* platform_utf8_to_cp949(const unsigned char* text, size_t count, size_t* out_count) {
    // No character takes more bytes in CP949 than in UTF-8.
    Output out(count);
    for (size_t at = 0; at < count;) put_cp949(decode_utf8(text, count, at), out);
    return out.finish(out_count);
}

unsigned char* platform_utf16le_to_cp949(const unsigned char* text, size_t count, size_t* out_count) {
    Output out(count);
    size_t units = count / 2;
    auto unit_at = [text](size_t k) { return static_cast<uint32_t>(text[2 * k] | text[2 * k + 1] << 8); };
    for (size_t k = 0; k < units; ++k) {
        uint32_t unit = unit_at(k);
        if (unit >= 0xD800 && unit <= 0xDBFF && k + 1 < units && unit_at(k + 1) >= 0xDC00 && unit_at(k + 1) <= 0xDFFF) {
            put_cp949(0x10000 + ((unit - 0xD800) << 10) + (unit_at(++k) - 0xDC00), out);
            continue;
        }
        put_cp949(unit >= 0xD800 && unit <= 0xDFFF ? replacement_character : unit, out);
    }
    return out.finish(out_count);
}

unsigned char* platform_cp949_to_utf8(const unsigned char* text, size_t count, size_t* out_count) {
    // No byte becomes more than three: a pair at most three, a byte that begins none U+FFFD; one
    // more for the last entry's fourth byte.
    Output out(count * 3 + 1);
    const std::vector<uint32_t>& entries = utf8_entries();
    const uint32_t replacement = utf8_entry(replacement_character);
    for (size_t at = 0; at < count;) {
        unsigned char lead = text[at];
        if (lead < 0x80) {
            out.put(lead);
            ++at;
            continue;
        }
        uint32_t entry = at + 1 < count ? entries[lead << 8 | text[at + 1]] : 0;
        put_entry(entry != 0 ? entry : replacement, out);
        at += entry != 0 ? 2 : 1;
    }
    return out.finish(out_count);
}

void platform_cp949_characters(uint16_t* table) {
    std::fill(table, table + 0x10000, 0);
    for (unsigned lead = 0; lead < cp949_leads; ++lead)
        for (unsigned trail = 0; trail < cp949_trails; ++trail)
            table[(lead + cp949_first_lead) << 8 | (trail + cp949_first_trail)] =
                cp949_characters[lead * cp949_trails + trail];
}

unsigned char* platform_name_to_cp949(const char* name, size_t* out_count) {
    return platform_utf8_to_cp949(reinterpret_cast<const unsigned char*>(name), std::strlen(name), out_count);
}

unsigned char* platform_name_to_utf8(const char* name, size_t* out_count) {
    size_t length = std::strlen(name);
    Output out(length);
    std::memcpy(out.at(), name, length);
    out.advance(length);
    return out.finish(out_count);
}

}  // namespace tessaline
