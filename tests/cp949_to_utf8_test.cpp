// CP949 to UTF-8 in the system's code pages: every byte that begins no CP949 character becomes
// U+FFFD and the conversion goes on at the next byte, as on Windows.

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "platform/platform.h"
#include "tests/support/cp949.h"

namespace tessaline {

namespace {

std::string to_utf8(const std::string& cp949_text) {
    size_t count = 0;
    unsigned char* bytes =
        platform_cp949_to_utf8(reinterpret_cast<const unsigned char*>(cp949_text.data()), cp949_text.size(), &count);
    std::string converted(reinterpret_cast<const char*>(bytes), count);
    std::free(bytes);
    return converted;
}

const std::string replacement_character = "\xEF\xBF\xBD";

struct Case {
    const char* name;
    std::string cp949;
    std::string utf8;
};

TEST(Cp949ToUtf8, EachByteThatBeginsNoCharacterIsOneReplacement) {
    const Case cases[] = {
        {"Korean text", cp949("줄바꿈 보정"), "줄바꿈 보정"},
        {"a byte no character begins with",
         "a\x80"
         "b",
         "a" + replacement_character + "b"},
        {"a lead byte at the end", "a\xB0", "a" + replacement_character},
        {"a lead byte before a space",
         "\xB0\x20"
         "c",
         replacement_character + " c"},
        {"a code of a user row", "\xC9\xA1 a", replacement_character + replacement_character + " a"},
        // A2 E8 has the shape of a character but is none: its first byte is replaced, then E8
        // (which no "a" can follow), and the "a" after them is kept.
        {"a pair that is no character",
         cp949("가") + "\xA2\xE8"
                       "ab",
         "가" + replacement_character + replacement_character + "ab"},
    };
    for (const Case& c : cases) EXPECT_EQ(to_utf8(c.cp949), c.utf8) << c.name;
}

}  // namespace

}  // namespace tessaline
