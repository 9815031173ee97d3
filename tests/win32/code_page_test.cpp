#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "platform/platform.h"
#include "tests/win32/support/win32_harness.h"

namespace tessaline {

namespace {

std::string converted(unsigned char* (*convert)(const unsigned char*, size_t, size_t*), const std::string& input) {
    size_t count = 0;
    unsigned char* bytes = convert(reinterpret_cast<const unsigned char*>(input.data()), input.size(), &count);
    std::string result(reinterpret_cast<char*>(bytes), count);
    EXPECT_EQ(bytes[count], 0) << "a converted text ends in a NUL";
    std::free(bytes);
    return result;
}

std::string utf16le(const wchar_t* text, size_t count) {
    std::string bytes;
    for (size_t k = 0; k < count; ++k) {
        bytes += static_cast<char>(text[k] & 0xFF);
        bytes += static_cast<char>(text[k] >> 8);
    }
    return bytes;
}

}  // namespace

// The engine's word lists and the window's texts are CP949: the ANSI functions must use it.
TEST(CodePage, AnsiCodePageIsKorean) { EXPECT_EQ(GetACP(), 949u); }

TEST(CodePage, Utf8BecomesCp949) {
    EXPECT_EQ(converted(platform_utf8_to_cp949, "한자(漢字) 읽기"), cp949("한자(漢字) 읽기"));
    EXPECT_EQ(converted(platform_utf8_to_cp949, std::string("a\0b", 3)), std::string("a\0b", 3));
    EXPECT_EQ(converted(platform_utf8_to_cp949, ""), "");
}

TEST(CodePage, MissingAndMalformedCharactersBecomeOneQuestionMarkEach) {
    struct Case {
        const char* name;
        std::string utf8;
        std::string expected;
    };
    const Case cases[] = {
        {"character outside CP949",
         "a\xE0\xB8\x81"
         "b",
         "a?b"},  // Thai ko kai
        {"character beyond the first plane",
         "a\xF0\x9F\x98\x80"
         "b",
         "a?b"},  // an emoji
        {"stray continuation byte",
         "a\x80"
         "b",
         "a?b"},
        {"cut-off sequence",
         "a\xED\x95"
         "b",
         "a?b"},
        {"cut-off sequence at the end", "a\xED\x95", "a?"},
        {"look-alike is not substituted", "\xC3\xA9", "?"},  // e with acute
    };
    for (const Case& c : cases) EXPECT_EQ(converted(platform_utf8_to_cp949, c.utf8), c.expected) << c.name;
}

TEST(CodePage, Utf16leBecomesCp949) {
    const wchar_t text[] = L"\uD55C\uAE00 ok";  // 한글 ok
    EXPECT_EQ(converted(platform_utf16le_to_cp949, utf16le(text, 5)), cp949("한글 ok"));
    const wchar_t pair[] = {L'a', 0xD83D, 0xDE00, L'b'};
    EXPECT_EQ(converted(platform_utf16le_to_cp949, utf16le(pair, 4)), "a?b");
    const wchar_t lone[] = {L'a', 0xDC00, L'b', 0xD800};
    EXPECT_EQ(converted(platform_utf16le_to_cp949, utf16le(lone, 4)), "a?b?");
}

TEST(CodePage, Cp949BecomesUtf8) {
    EXPECT_EQ(converted(platform_cp949_to_utf8, cp949("줄바꿈 보정")), "줄바꿈 보정");
    EXPECT_EQ(converted(platform_cp949_to_utf8,
                        "a\x80"
                        "b"),
              "a\xEF\xBF\xBD"
              "b");
    EXPECT_EQ(converted(platform_cp949_to_utf8, "a\xB0"), "a\xEF\xBF\xBD");
    EXPECT_EQ(converted(platform_cp949_to_utf8,
                        "\xB0\x20"
                        "c"),
              "\xEF\xBF\xBD c");
}

}  // namespace tessaline
