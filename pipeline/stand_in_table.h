#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "pipeline/cp949_map.h"

namespace tessaline {

// The characters of one document that CP949 lacks, each stood in for by codes of CP949's user
// rows, so that the engine can carry them like any other two-byte character that is not Hangul
// and the encoder can give them back. The first characters met take one code each (row 0xC9);
// beyond that a stand-in is led by as many codes of row 0xFE as it needs, so every character of
// a document gets one however many there are.
class StandInTable {
public:
    // Appends the stand-in of `c` to `out`, giving `c` the next free one when it has none yet.
    void append(char32_t c, std::string& out);

    // The character a stand-in spelled by `prefix_digits` row-0xFE codes and the final row-0xC9
    // code stands for; 0 when this document gave that stand-in to none.
    char32_t character_of(const std::vector<unsigned char>& prefix_digits, unsigned char final_digit) const;

    size_t size() const { return characters_.size(); }

private:
    std::unordered_map<char32_t, uint32_t> index_of_;
    std::vector<char32_t> characters_;  // by index
};

// The bytes of stand-in codes: a lead byte of a user row, and a trail byte that carries a digit.
// Trail 0xA1 is left out, so that no stand-in ends in the lead byte of CP949's mark row.
constexpr unsigned char stand_in_final_lead = user_row_first;
constexpr unsigned char stand_in_prefix_lead = user_row_second;
constexpr unsigned char stand_in_trail_first = user_trail_first + 1;
constexpr unsigned char stand_in_trail_last = user_trail_last;
constexpr uint32_t stand_in_digits = stand_in_trail_last - stand_in_trail_first + 1;

inline bool is_stand_in_trail(unsigned char trail) {
    return trail >= stand_in_trail_first && trail <= stand_in_trail_last;
}

}  // namespace tessaline
