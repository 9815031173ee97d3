#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "engine/rules/hanja_removal.h"
#include "tests/support/cp949.h"
#include "tests/support/engine_harness.h"
#include "tests/support/rule_bench.h"

namespace tessaline {

namespace {

// Runs the step on `line` as the current line after `written` has gone to the output text.
std::string strip(const std::string& line, const std::string& written = "") {
    RuleBench bench;
    bench.set_output(cp949(written));
    bench.set_line(cp949(line));
    remove_hanja_glosses(bench.cv());
    const LineText& text = bench.cv().line;
    const char* bytes = reinterpret_cast<const char*>(text.bytes());
    EXPECT_EQ(std::strlen(bytes), static_cast<size_t>(text.length));
    return utf8(std::string(bytes, std::strlen(bytes)));
}

struct GlossCase {
    const char* name;
    const char* line;
    const char* expected;
};

class HanjaRemoval : public testing::TestWithParam<GlossCase> {};

TEST_P(HanjaRemoval, RemovesOnlyGlossesAsLongAsAFreeStandingWord) {
    EXPECT_EQ(strip(GetParam().line), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HanjaRemoval,
    testing::Values(
        GlossCase{"at_line_start", "한자(漢字)를 쓴다.\r\n", "한자를 쓴다.\r\n"},
        GlossCase{"after_a_space", "그 한자(漢字)를 쓴다.\r\n", "그 한자를 쓴다.\r\n"},
        GlossCase{"after_a_double_quote", "\"한자(漢字)", "\"한자"},
        GlossCase{"after_an_apostrophe", "'한자(漢字)", "'한자"},
        GlossCase{"space_before_the_group_goes_too", "그 한자 (漢字)\r\n", "그 한자\r\n"},
        GlossCase{"spaced_group_at_line_start_stays", "한자 (漢字)\r\n", "한자 (漢字)\r\n"},
        GlossCase{"spaced_group_after_a_quote", "그 '한자 (漢字)를", "그 '한자를"},
        GlossCase{"latin_text_of_the_same_length", "그 사랑(love)이다", "그 사랑이다"},
        GlossCase{"latin_text_of_another_length", "그 서울(Seoul)이다", "그 서울(Seoul)이다"},
        GlossCase{"eight_bytes_each", "그 주식회사(株式會社)에", "그 주식회사에"},
        GlossCase{"eighteen_bytes_inside", "그 가나다라마바사아자(一二三四五六七八九)", "그 가나다라마바사아자"},
        GlossCase{"nineteen_bytes_inside", "그 abcdefghijklmnopqrs(ABCDEFGHIJKLMNOPQRS)",
                  "그 abcdefghijklmnopqrs(ABCDEFGHIJKLMNOPQRS)"},
        GlossCase{"shorter_than_the_word_before", "그 대한민국(韓國)", "그 대한민국(韓國)"},
        GlossCase{"space_inside_the_compared_bytes", "그 a 나(大家)", "그 a 나(大家)"},
        GlossCase{"never_closed", "그 한자(漢字", "그 한자(漢字"},
        GlossCase{"closed_only_after_nineteen_bytes", "그 가(一二三四五六七八九十)", "그 가(一二三四五六七八九十)"},
        GlossCase{"first_closing_parenthesis_is_taken", "그 abc(x(y)z", "그 abcz"},
        GlossCase{"empty_at_line_start", "()다", "다"}, GlossCase{"empty_after_a_double_quote", "\"()", "\""},
        GlossCase{"empty_after_an_apostrophe", "'()", "'"},
        GlossCase{"empty_after_a_space_after_a_space", "그  ()다", "그 다"},
        GlossCase{"empty_after_a_space_after_a_quote", "' ()다", "'다"},
        GlossCase{"empty_after_a_space_after_a_word", "그 ()다", "그 ()다"},
        GlossCase{"two_glosses_in_a_line", "한자(漢字) 한자(漢字)", "한자 한자"},
        GlossCase{"scan_resumes_four_bytes_on", "그 가(一)(二)", "그 가(二)"},
        GlossCase{"spaced_word_reaching_before_the_line", "ok (yes)", "ok (yes)"},
        GlossCase{"spaced_one_byte_word_at_line_start", "x (ab)", "x (ab)"}),
    [](const testing::TestParamInfo<GlossCase>& info) { return std::string(info.param.name); });

TEST(HanjaRemovalAtLineStart, TakesTheWordFromTheEndOfAJoinedLine) {
    EXPECT_EQ(strip("(漢字)를 쓴다.", "그 한자"), "를 쓴다.");
}

TEST(HanjaRemovalAtLineStart, KeepsTheGroupWhenTheWordInTheOutputHasNoSpaceBefore) {
    EXPECT_EQ(strip("(漢字)를", "그대한자"), "(漢字)를");
    EXPECT_EQ(strip("(漢字)를", "한자"), "(漢字)를");
}

TEST(HanjaRemovalAtLineStart, KeepsTheGroupWhenTheOutputEndsInALineBreak) {
    // The previous line was kept, so the group opens a paragraph and glosses nothing.
    EXPECT_EQ(strip("(一二)이다", "끝 \r\n"), "(一二)이다");
    EXPECT_EQ(strip("(一)이다", "끝 \r\n"), "(一)이다");
}

TEST(HanjaRemovalAtLineStart, KeepsTheGroupWhenTheLastBytesOfTheOutputAreNotOneWord) {
    EXPECT_EQ(strip("(abc)", "x a b"), "(abc)");
}

TEST(HanjaRemovalLength, LineLenFollowsEveryRemoval) {
    EXPECT_EQ(strip("그 한자 (漢字) 그 사랑(love)\r\n"), "그 한자 그 사랑\r\n");
}

TEST(HanjaRemovalInTheEngine, ActsOnlyWhenTheOptionIsOn) {
    ConversionOptions options = plain_options();
    EXPECT_EQ(reflow_utf8("그 한자(漢字)를 쓴다.\r\n", options), "그 한자(漢字)를 쓴다.\r\n");
    options.remove_hanja = true;
    EXPECT_EQ(reflow_utf8("그 한자(漢字)를 쓴다.\r\n", options), "그 한자를 쓴다.\r\n");
}

}  // namespace

}  // namespace tessaline
