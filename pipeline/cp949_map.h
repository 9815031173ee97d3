#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tessaline {

// CP949's byte structure: a byte from 0x81 to 0xFE leads a two-byte code. Leads up to 0xC6 also
// take the extended Hangul trail bytes 0x41-0x5A, 0x61-0x7A and 0x81-0xA0; every lead takes
// 0xA1-0xFE.
inline bool is_cp949_lead(unsigned char b) { return b >= 0x81 && b <= 0xFE; }
inline bool is_cp949_trail(unsigned char lead, unsigned char trail) {
    if (trail >= 0xA1 && trail <= 0xFE) return true;
    if (lead > 0xC6) return false;
    return (trail >= 0x41 && trail <= 0x5A) || (trail >= 0x61 && trail <= 0x7A) || (trail >= 0x81 && trail <= 0xA0);
}

// The two rows CP949 leaves to its users (lead bytes 0xC9 and 0xFE, trail bytes 0xA1-0xFE).
// The rules never match them as a word, quote or mark, so they hold the stand-ins for the
// characters CP949 lacks; a CP949 file's own codes there are read as the private-use
// characters U+E000-U+E0BB, as Windows reads them.
constexpr unsigned char user_row_first = 0xC9;
constexpr unsigned char user_row_second = 0xFE;
constexpr unsigned char user_trail_first = 0xA1;
constexpr unsigned char user_trail_last = 0xFE;
constexpr char32_t user_character_first = 0xE000;

// CP949 two-byte codes and the Unicode characters they stand for, as this system's code pages
// know them. Characters are read through `character_of` and written through `code_of`, so each
// character CP949 holds comes back as itself.
class Cp949Map {
public:
    // The one map of the process, made on first use.
    static const Cp949Map& get();

    // The character of a two-byte code; 0 when the pair is no character.
    char32_t character_of(unsigned char lead, unsigned char trail) const {
        return characters_[static_cast<size_t>(lead << 8 | trail)];
    }

    // The two-byte code (lead * 256 + trail) of a character from U+0080 on; 0 when CP949 lacks it.
    uint16_t code_of(char32_t c) const { return c < codes_.size() ? codes_[c] : 0; }

    // Whether the lead byte makes a character with every trail byte from 0xA1 to 0xFE, as the rows
    // of Hangul and Hanja do: a run of such codes is known to be characters by its bytes' shape.
    bool row_full(unsigned char lead) const { return full_rows_[lead]; }

private:
    Cp949Map();

    std::vector<uint16_t> characters_;  // by code
    std::vector<uint16_t> codes_;       // by character of the first plane
    bool full_rows_[256] = {};          // by lead byte
};

}  // namespace tessaline
