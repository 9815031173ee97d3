#include "tools/checks/fuzz_cases.h"

#include <gtest/gtest.h>

#include "tests/support/cp949.h"
#include "tests/support/unicode_text.h"

namespace tessaline {

namespace {

std::string with_header(uint8_t flags, uint8_t min_length, uint8_t repeat, const std::string& text) {
    return std::string{static_cast<char>(flags), static_cast<char>(min_length), static_cast<char>(repeat)} + text;
}

std::string check_conversion(const std::string& bytes) {
    return check_conversion_case(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

std::string check_loader(const std::string& bytes) {
    return check_loader_case(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

ConversionCase decode(const std::string& bytes) {
    return decode_conversion_case(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

const std::string novel_text = cp949(
    "그는 천천히 문을 열고 밖으로 나가서 한참 동안 하늘을 바라보\r\n"
    "았다. 바람이 차가웠읍니다.\r\n"
    "“가자.” 그가 말했다.\r\n\r\n\r\n"
    "　　둘째 문단의 첫 줄은 들여 쓰였고 한자(漢字)도 있다.\r\n");

TEST(ConversionCaseDecoding, ReadsTheOptionsFromTheFirstByte) {
    ConversionCase c = decode(with_header(0x1F, 15, 0, "x"));
    EXPECT_TRUE(c.options.split_long_sentences);
    EXPECT_TRUE(c.options.blank_after_long);
    EXPECT_TRUE(c.options.mark_joins);
    EXPECT_TRUE(c.options.remove_hanja);
    EXPECT_EQ(c.options.joints, JointMode::vocabulary);
    EXPECT_EQ(c.options.min_line_bytes, 30);
    EXPECT_EQ(c.source, "x");
}

TEST(ConversionCaseDecoding, CanSetFlagsToValuesThatMeanOff) {
    ConversionCase c = decode(with_header(0x21 | 0xC0, 0xFB, 0, ""));
    EXPECT_FALSE(c.options.split_long_sentences);
    EXPECT_FALSE(c.options.remove_hanja);
    EXPECT_EQ(c.options.min_line_bytes, -10);
}

TEST(ConversionCaseDecoding, ReachesTheExtremesOfTheMinimumLength) {
    EXPECT_EQ(decode(with_header(0, 0x7F, 0, "")).options.min_line_bytes, 1999999998);
    EXPECT_EQ(decode(with_header(0, 0x80, 0, "")).options.min_line_bytes, -1999999998);
}

TEST(ConversionCaseDecoding, RepeatsTheTextIntoLongStretches) {
    EXPECT_EQ(decode(with_header(0, 0, 0xF8, "ab")).source.size(), 8192u);
    EXPECT_EQ(decode(with_header(0, 0, 0xFF, "ab")).source.size(), 262144u);
    EXPECT_EQ(decode(with_header(0, 0, 0xF7, "ab")).source, "ab");
}

TEST(ConversionCaseDecoding, ShortInputsUseTheDefaults) {
    ConversionCase c = decode("");
    EXPECT_EQ(c.options.min_line_bytes, 30);
    EXPECT_FALSE(c.options.split_long_sentences);
    EXPECT_TRUE(c.source.empty());
}

TEST(ConversionCases, PassOnANovelUnderEveryOptionSet) {
    for (uint8_t flags : {0x00, 0x03, 0x07, 0x0B, 0x13, 0x3F, 0x43, 0x83, 0xC3})
        EXPECT_EQ(check_conversion(with_header(flags, 15, 0, novel_text)), "") << "flags " << int(flags);
}

TEST(ConversionCases, PassOnEmptyAndTinyTexts) {
    EXPECT_EQ(check_conversion(""), "");
    EXPECT_EQ(check_conversion(with_header(3, 15, 0, "")), "");
    EXPECT_EQ(check_conversion(with_header(3, 15, 0, "\n")), "");
    EXPECT_EQ(check_conversion(with_header(3, 15, 0, "\r")), "");
}

TEST(ConversionCases, CheckTheTextWithoutItsNuls) {
    EXPECT_EQ(check_conversion(with_header(3, 15, 0, std::string("ab\0cd", 5))), "");
}

TEST(ConversionCases, PassOnALineLongerThanTheLineBuffer) {
    EXPECT_EQ(check_conversion(with_header(3, 15, 0xFD, cp949("가나다라 "))), "");
}

TEST(LoaderCases, PassInEveryEncodingSetting) {
    std::string utf8_text = utf8(novel_text) + "— 😀 𠀀 ᄀᆞ\r\n";
    for (int input = 0; input < 8; ++input) {
        for (int output : {0x00, 0x40, 0x80, 0xC0}) {
            std::string setting(1, static_cast<char>(input | output));
            EXPECT_EQ(check_loader(setting + novel_text), "") << input << " " << output;
            EXPECT_EQ(check_loader(setting + "\xEF\xBB\xBF" + utf8_text), "") << input << " " << output;
            EXPECT_EQ(check_loader(setting + utf8_text), "") << input << " " << output;
            EXPECT_EQ(check_loader(setting + "\xFE\xFF" + utf16be(utf8_text)), "") << input << " " << output;
        }
    }
}

TEST(LoaderCases, PassOnFilesThatAreNotText) {
    EXPECT_EQ(check_loader(std::string("\0\x89PNG\r\n\x1A\n\0\0\0\x0DIHDR", 17)), "");
}

TEST(LoaderCases, PassOnUtf16WithALoneLastByte) {
    EXPECT_EQ(check_loader(std::string("\0\xFF\xFE\x00\xAC\x41", 6)), "");
    EXPECT_EQ(check_loader(std::string("\4\x00\xAC\x41\x00\x42", 6)), "");
}

TEST(LoaderCases, PassOnMalformedUtf8AndEmptyFiles) {
    EXPECT_EQ(check_loader(std::string("\0\xEF\xBB\xBF\xC3\x28\xED\xA0\x80", 9)), "");
    EXPECT_EQ(check_loader(std::string(1, '\1')), "");
    EXPECT_EQ(check_loader(""), "");
}

}  // namespace

}  // namespace tessaline
