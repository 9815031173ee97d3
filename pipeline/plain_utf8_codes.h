#pragma once

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

namespace tessaline {

// The UTF-8 of every character a result writes as it is, by the two bytes that begin it: an ASCII
// byte (whatever follows it) or a CP949 code outside the rows that hold stand-ins. Packed so that
// one four-byte store writes a character: its bytes from the lowest byte up, and its length in
// the highest byte, which the next character overwrites. 0 for two bytes that begin no such
// character. Text is written without a branch between ASCII and codes, which Korean text mixes
// too irregularly for a processor to guess.
class PlainUtf8Codes {
    static_assert(std::endian::native == std::endian::little, "a packed character is stored lowest byte first");

public:
    // The one table of the process, made on first use.
    static const PlainUtf8Codes& get();

    // Of the character that begins with the bytes `first` and `second`.
    uint32_t of(unsigned first, unsigned second) const { return packed_[first << 8 | second]; }
    // How many bytes that character takes in CP949.
    static unsigned cp949_length(unsigned first) { return 1 + (first >> 7); }

    // Writes a packed character at `to` (four bytes of room) and returns where it ends.
    static char* put(uint32_t packed, char* to) {
        std::memcpy(to, &packed, sizeof packed);
        return to + (packed >> 24);
    }

private:
    PlainUtf8Codes();

    // By the two bytes, the first one high; held in the object, so that a loop that writes bytes,
    // which might be anything, need not load where the table lies again after each.
    std::array<uint32_t, 0x10000> packed_{};
};

}  // namespace tessaline
