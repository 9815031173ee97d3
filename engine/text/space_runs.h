#pragma once

#include <cstdint>
#include <cstring>

namespace tessaline {

// Runs of spaces are measured eight bytes at a time: a line of nothing but spaces must cost no
// more than the copy that brought it in.
inline constexpr uint64_t eight_spaces = 0x2020202020202020ULL;

// The first position from `from` on, below `end`, that does not hold a space.
inline int64_t end_of_spaces(const unsigned char* bytes, int64_t from, int64_t end) {
    for (uint64_t word; from + 8 <= end; from += 8) {
        std::memcpy(&word, bytes + from, 8);
        if (word != eight_spaces) break;
    }
    while (from < end && bytes[from] == ' ') ++from;
    return from;
}

// The last position from `from` down, not below `stop`, that does not hold a space; `stop` - 1
// when every byte down to `stop` is a space.
inline int64_t start_of_spaces(const unsigned char* bytes, int64_t from, int64_t stop) {
    for (uint64_t word; from - 7 >= stop; from -= 8) {
        std::memcpy(&word, bytes + from - 7, 8);
        if (word != eight_spaces) break;
    }
    while (from >= stop && bytes[from] == ' ') --from;
    return from;
}

}  // namespace tessaline
