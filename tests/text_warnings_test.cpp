#include "pipeline/text_warnings.h"

#include <gtest/gtest.h>

namespace tessaline {

namespace {

TEST(UnkeptWarning, NamesHowManyAndWhichMostFrequentFirst) {
    EXPECT_EQ(
        unkept_warning({{U'😀', 3}, {U'—', 12}}),
        "holds 15 characters that CP949 lacks, written as \"?\": — ×12, 😀 ×3; --output-encoding utf-8 keeps them");
    EXPECT_EQ(unkept_warning({{U'é', 1}}),
              "holds 1 character that CP949 lacks, written as \"?\": é ×1; --output-encoding utf-8 keeps them");
    EXPECT_EQ(unkept_warning({}), "");
}

TEST(UnkeptWarning, CharactersThatShowNothingAreNamedByTheirCode) {
    std::string warning = unkept_warning({{0x200D, 2}, {0xFE0F, 1}, {0x0301, 1}, {0x00A0, 1}, {0xE000, 1}});
    for (const char* code : {"U+200D ×2", "U+FE0F ×1", "U+0301 ×1", "U+00A0 ×1", "U+E000 ×1"})
        EXPECT_NE(warning.find(code), std::string::npos) << code << " in " << warning;
    EXPECT_NE(unkept_warning({{0x1100, 1}}).find("ᄀ ×1"), std::string::npos) << "old Hangul shows itself";
}

TEST(UnkeptWarning, ABookFullOfThemGetsOneReadableLine) {
    UnkeptCharacters many;
    for (char32_t c = 0x20000; c < 0x20000 + 25; ++c) many[c] = 1;
    many[0x1F600] = 9;
    std::string warning = unkept_warning(many);
    EXPECT_NE(warning.find("holds 34 characters"), std::string::npos) << warning;
    EXPECT_NE(warning.find(": 😀 ×9, "), std::string::npos) << warning;
    EXPECT_NE(warning.find(", 16 others;"), std::string::npos) << warning;
}

TEST(DamageWarning, CountsTheBadBytesAndGivesTheFirst) {
    struct Case {
        TextEncoding encoding;
        TextEncoding result;
        DecodingDamage damage;
        const char* expected;
    } cases[] = {
        {TextEncoding::utf8,
         TextEncoding::utf8,
         {3, 1234},
         "has 3 bytes that are not UTF-8 (the first at byte 1234), written as U+FFFD"},
        {TextEncoding::utf8, TextEncoding::cp949, {1, 7}, "has 1 byte that is not UTF-8 (at byte 7), written as \"?\""},
        {TextEncoding::cp949,
         TextEncoding::utf8,
         {2, 0},
         "has 2 bytes that are not CP949 text (the first at byte 0), written as \"?\""},
        {TextEncoding::utf16be,
         TextEncoding::utf8,
         {1, 10},
         "has 1 code unit that is not UTF-16 (at byte 10), written as U+FFFD"},
        {TextEncoding::utf16le, TextEncoding::utf8, {0, 0}, ""},
    };
    for (const auto& c : cases) EXPECT_EQ(damage_warning(c.encoding, c.result, c.damage), c.expected);
}

}  // namespace

}  // namespace tessaline
