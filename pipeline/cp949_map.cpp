#include "pipeline/cp949_map.h"

#include "platform/platform.h"

namespace tessaline {

namespace {

constexpr size_t table_size = 65536;

bool is_user_code(unsigned lead, unsigned trail) {
    return (lead == user_row_first || lead == user_row_second) && trail >= user_trail_first && trail <= user_trail_last;
}

// The private-use character Windows reads for a code of the user rows.
char16_t user_character(unsigned lead, unsigned trail) {
    unsigned row = lead == user_row_first ? 0 : 1;
    unsigned row_length = user_trail_last - user_trail_first + 1;
    return static_cast<char16_t>(user_character_first + row * row_length + (trail - user_trail_first));
}

}  // namespace

const Cp949Map& Cp949Map::get() {
    static const Cp949Map map;
    return map;
}

Cp949Map::Cp949Map() : characters_(table_size, 0), codes_(table_size, 0) {
    platform_cp949_characters(characters_.data());
    for (unsigned code = 0x8100; code < table_size; ++code) {
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
    for (unsigned lead = 0x81; lead <= 0xFE; ++lead) {
        full_rows_[lead] = true;
        for (unsigned trail = 0xA1; trail <= 0xFE; ++trail)
            if (characters_[lead << 8 | trail] == 0) full_rows_[lead] = false;
    }
}

}  // namespace tessaline
