// The windows the engine reads its texts through, and what happens when memory runs out.

#include <gtest/gtest.h>

#include <cstdint>
#include <new>
#include <string>

#include "engine/text/byte_buffer.h"
#include "engine/text/text_window.h"

// A failed allocation must reach the test as std::bad_alloc, not as a report from the sanitizer.
extern "C" const char* __asan_default_options() { return "allocator_may_return_null=1"; }

namespace tessaline {

namespace {

std::string read(const TextWindow& window, int64_t from, int64_t to) {
    std::string text;
    for (int64_t pos = from; pos < to; ++pos) text += static_cast<char>(window.at(pos));
    return text;
}

TEST(TextWindow, ReadsBytesByTheirPositionInTheWholeText) {
    TextWindow window;
    window.append("abcdef", 6);
    window.drop_before(2);
    window.append("gh", 2);
    EXPECT_EQ(window.base(), 2);
    EXPECT_EQ(window.end(), 8);
    EXPECT_EQ(read(window, 2, 8), "cdefgh");
    // Outside the window every position reads as NUL, and the byte at the end is NUL in memory.
    EXPECT_EQ(window.at(1), 0);
    EXPECT_EQ(window.at(8), 0);
    EXPECT_EQ(window.at(-1), 0);
    EXPECT_EQ(*window.pointer(8), 0);
}

TEST(TextWindow, KeepsItsBytesWhileMostOfALargeWindowGoes) {
    TextWindow window;
    std::string large(3 << 20, 'x');
    large.replace(large.size() - 5, 5, "tail!");
    window.append(large.data(), large.size());
    auto end = static_cast<int64_t>(large.size());
    window.drop_before(end - 5);
    window.append("more", 4);
    EXPECT_EQ(read(window, end - 5, end + 4), "tail!more");
    EXPECT_EQ(window.at(end - 6), 0);
    window.drop_before(end + 10);  // past the end: the window starts where the text stops
    EXPECT_EQ(window.base(), end + 4);
    window.append("z", 1);
    EXPECT_EQ(window.at(end + 4), 'z');
}

TEST(TextWindow, AppendedTextsLongerThanTheMemoryMovedStayWhole) {
    TextWindow window;
    std::string expected;
    for (int k = 0; k < 2000; ++k) {
        std::string piece(static_cast<size_t>(k % 97 + 1), static_cast<char>('a' + k % 26));
        window.append(piece.data(), piece.size());
        expected += piece;
        if (k % 3 == 0) window.drop_before(static_cast<int64_t>(expected.size()) - 50);
    }
    auto end = static_cast<int64_t>(expected.size());
    EXPECT_EQ(read(window, end - 50, end), expected.substr(expected.size() - 50));
}

TEST(ByteBuffer, RunningOutOfMemoryThrowsBadAlloc) {
    ByteBuffer buffer;
    buffer.reserve(16);
    EXPECT_THROW(buffer.reserve(SIZE_MAX / 2), std::bad_alloc);
    // What it held before stays usable.
    buffer.data()[15] = 'x';
    EXPECT_GE(buffer.capacity(), 16u);
}

}  // namespace

}  // namespace tessaline
