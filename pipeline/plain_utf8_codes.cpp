#include "pipeline/plain_utf8_codes.h"

#include "pipeline/cp949_map.h"
#include "pipeline/stand_in_table.h"

namespace tessaline {

namespace {

// A character of the first plane from U+0080 on, as CP949's characters all are, packed.
uint32_t packed_utf8(char32_t c) {
    if (c < 0x800) return (0xC0 | c >> 6) | (0x80 | (c & 0x3F)) << 8 | uint32_t{2} << 24;
    return (0xE0 | c >> 12) | (0x80 | (c >> 6 & 0x3F)) << 8 | (0x80 | (c & 0x3F)) << 16 | uint32_t{3} << 24;
}

}  // namespace

const PlainUtf8Codes& PlainUtf8Codes::get() {
    static const PlainUtf8Codes codes;
    return codes;
}

PlainUtf8Codes::PlainUtf8Codes() {
    for (unsigned ascii = 0; ascii < 0x80; ++ascii)
        for (unsigned next = 0; next <= 0xFF; ++next) packed_[ascii << 8 | next] = ascii | uint32_t{1} << 24;
    const Cp949Map& map = Cp949Map::get();
    for (unsigned lead = 0x81; lead <= 0xFE; ++lead) {
        if (lead == stand_in_final_lead || lead == stand_in_prefix_lead) continue;
        for (unsigned trail = 0; trail <= 0xFF; ++trail) {
            char32_t c = map.character_of(static_cast<unsigned char>(lead), static_cast<unsigned char>(trail));
            if (c != 0) packed_[lead << 8 | trail] = packed_utf8(c);
        }
    }
}

}  // namespace tessaline
