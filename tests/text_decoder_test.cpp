// The decoder reads only the bytes of the piece it is given, whatever lies in memory after them.

#include "pipeline/text_decoder.h"

#include <gtest/gtest.h>

#include <span>
#include <string>
#include <vector>

namespace tessaline {

namespace {

// A piece of ASCII ending on an eight-byte boundary, with a lead byte in the memory right after
// it, as when the last piece of a file is read into a larger buffer.
TEST(TextDecoder, APieceOfAsciiEndingOnAWordBoundaryIsAllItReads) {
    for (size_t length : {8u, 16u, 464u}) {
        std::vector<unsigned char> buffer(length + 8, 0xB0);
        for (size_t k = 0; k < length; ++k) buffer[k] = 'a';
        TextDecoder decoder(TextEncoding::cp949, nullptr, 0);
        std::string cp949;
        decoder.decode(std::span<const unsigned char>(buffer.data(), length), cp949);
        decoder.finish(cp949);
        EXPECT_EQ(cp949, std::string(length, 'a')) << length;
        EXPECT_EQ(decoder.damage().count, 0u) << length;
    }
}

}  // namespace

}  // namespace tessaline
