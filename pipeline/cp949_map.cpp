#include "pipeline/cp949_map.h"

#include "platform/platform.h"

namespace tessaline {

namespace {

constexpr size_t TABLE_SIZE = 65536;

bool is_user_code(unsigned lead, unsigned trail) {
    return (lead == USER_ROW_FIRST || lead == USER_ROW_SECOND) && trail >= USER_TRAIL_FIRST && trail <= USER_TRAIL_LAST;
}

// The private-use character Windows reads for a code of the user rows.
char16_t user_character(unsigned lead, unsigned trail) {
    unsigned row = lead == USER_ROW_FIRST ? 0 : 1;
    unsigned row_length = USER_TRAIL_LAST - USER_TRAIL_FIRST + 1;
    return static_cast<char16_t>(USER_CHARACTER_FIRST + row * row_length + (trail - USER_TRAIL_FIRST));
}

}  // namespace

const Cp949Map& Cp949Map::get() {
    static const Cp949Map map;
    return map;
}

Cp949Map::Cp949Map() : characters_(TABLE_SIZE, 0), codes_(TABLE_SIZE, 0) {
    platform_cp949_characters(characters_.data());
    for (unsigned code = 0x8100; code < TABLE_SIZE; ++code) {
        unsigned lead = code >> 8, trail = code & 0xFF;
        // Only pairs of the right shape count, whatever the system's table says about others.
        if (!is_cp949_lead(static_cast<unsigned char>(lead)) ||
            !is_cp949_trail(static_cast<unsigned char>(lead), static_cast<unsigned char>(trail))) {
            characters_[code] = 0;
            continue;
        }
        // The user rows are kept for stand-ins: no character is written into them.
        if (is_user_code(lead, trail)) {
            characters_[code] = user_character(lead, trail);
            continue;
        }
        char16_t c = characters_[code];
        if (c >= 0x80 && codes_[c] == 0) codes_[c] = static_cast<uint16_t>(code);
    }
}

}  // namespace tessaline
