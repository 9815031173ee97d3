#include "tools/checks/text_kept.h"

#include <gtest/gtest.h>

#include "tests/support/cp949.h"

namespace tessaline {

namespace {

struct KeptCase {
    const char* name;
    std::string source;
    std::string output;
    KeptTextAllowance allowance;
    bool kept;
};

class KeptText : public testing::TestWithParam<KeptCase> {};

TEST_P(KeptText, JudgesTheOutput) {
    const KeptCase& c = GetParam();
    std::string problem = find_lost_text(c.source, c.output, c.allowance);
    EXPECT_EQ(problem.empty(), c.kept) << problem;
}

const KeptTextAllowance NONE{};
const KeptTextAllowance marks{true, false};
const KeptTextAllowance full_width{false, true};

INSTANTIATE_TEST_SUITE_P(
    Cases, KeptText,
    testing::Values(
        KeptCase{"same", cp949("가나 다"), cp949("가나 다"), NONE, true},
        KeptCase{"whitespace_moved", cp949("그는\r\n돌아섰다.\r\n"), cp949("그는 돌아 섰다.\r\n\r\n"), NONE, true},
        KeptCase{"tab_dropped", "a\tb", "ab", NONE, true},
        KeptCase{"byte_lost", cp949("그는 돌아섰다."), cp949("그는 돌아섰다"), NONE, false},
        KeptCase{"byte_added", cp949("그는"), cp949("그는`"), NONE, false},
        KeptCase{"order_changed", "ab", "ba", NONE, false},
        KeptCase{"byte_changed", cp949("가나"), cp949("가다"), NONE, false},
        KeptCase{"old_ending_corrected", cp949("했읍니다."), cp949("했습니다."), NONE, true},
        KeptCase{"old_ending_over_a_joint", cp949("했읍\r\n니다."), cp949("했습니다."), NONE, true},
        KeptCase{"old_ending_kept_apart", cp949("했읍 니다."), cp949("했읍 니다."), NONE, true},
        KeptCase{"new_ending_from_elsewhere", cp949("했음니다."), cp949("했습니다."), NONE, false},
        KeptCase{"full_width_indent_to_spaces", cp949("　　첫 줄"), cp949("  첫 줄"), NONE, true},
        KeptCase{"full_width_indent_dropped", cp949("　첫 줄"), cp949("첫 줄"), NONE, true},
        KeptCase{"full_width_line_before_a_mark", cp949("　\n    ‘첫 줄"), cp949("\r\n  ‘첫 줄"), NONE, true},
        KeptCase{"full_width_space_invented", cp949("첫 줄"), cp949("　첫 줄"), NONE, false},
        KeptCase{"full_width_space_allowed", cp949("첫 줄"), cp949("　첫 줄"), full_width, true},
        KeptCase{"join_mark_refused", cp949("가\r\n나"), cp949("가`나"), NONE, false},
        KeptCase{"join_mark_allowed", cp949("가\r\n나"), cp949("가`나"), marks, true},
        KeptCase{"join_mark_before_a_full_width_indent", cp949("가\r\n　　나"), cp949("가`\r\n　　나"), marks, true},
        KeptCase{"full_width_indent_dropped_before_a_mark", cp949("가\r\n　`나"), cp949("가\r\n`나"), marks, true},
        KeptCase{"source_backquote_with_marks", "a`b", "a``b", marks, true},
        KeptCase{"empty_output_of_blank_source", " \r\n\t", "\r\n", NONE, true},
        KeptCase{"empty_output_of_text", "a", "", NONE, false}),
    [](const testing::TestParamInfo<KeptCase>& info) { return std::string(info.param.name); });

TEST(KeptTextMessage, NamesWhatHappenedAndWhere) {
    std::string problem = find_lost_text("abc", "ab", NONE);
    EXPECT_NE(problem.find("text is lost"), std::string::npos) << problem;
    EXPECT_NE(problem.find("source byte 2"), std::string::npos) << problem;
    EXPECT_NE(find_lost_text("ab", "abc", NONE).find("adds text"), std::string::npos);
}

TEST(TextAlignment, GivesWhereEveryTextByteArrived) {
    TextAlignment alignment = align_kept_text("a b\r\nc", "ab c", NONE);
    ASSERT_TRUE(alignment.complete);
    EXPECT_EQ(alignment.source_positions, (std::vector<size_t>{0, 2, 5}));
    EXPECT_EQ(alignment.output_positions, (std::vector<size_t>{0, 1, 3}));
}

TEST(TextAlignment, KeepsPositionsThroughTheCorrectedEnding) {
    std::string source = cp949("읍\r\n니");
    TextAlignment alignment = align_kept_text(source, cp949("습니"), NONE);
    ASSERT_TRUE(alignment.complete);
    EXPECT_EQ(alignment.source_positions, (std::vector<size_t>{0, 1, 4, 5}));
    EXPECT_EQ(alignment.output_positions, (std::vector<size_t>{0, 1, 2, 3}));
}

TEST(BadLineEnd, AcceptsCrLfAndLoneCr) {
    EXPECT_EQ(find_bad_line_end("a\r\nb\r\n\r\nc\r"), "");
    EXPECT_EQ(find_bad_line_end(""), "");
}

TEST(BadLineEnd, FindsLfWithoutCrAndNul) {
    EXPECT_NE(find_bad_line_end("a\r\nb\nc").find("LF without CR at output byte 4"), std::string::npos);
    EXPECT_NE(find_bad_line_end("\n").find("byte 0"), std::string::npos);
    EXPECT_NE(find_bad_line_end(std::string("a\0b", 3)).find("NUL in the output at byte 1"), std::string::npos);
}

TEST(HexContext, MarksThePositionAndTheEnd) {
    EXPECT_EQ(hex_context("ab", 1), "61 <62>");
    EXPECT_EQ(hex_context("ab", 2), "61 62 <end>");
}

TEST(KeptCharacters, AllowWhatTheBytesAllow) {
    EXPECT_EQ(find_lost_characters(U"그는\r\n😀 돌아섰다.", U"그는 😀 돌아 섰다.\r\n", NONE), "");
    EXPECT_EQ(find_lost_characters(U"했읍\r\n니다.", U"했습니다.", NONE), "");
    EXPECT_EQ(find_lost_characters(U"\u3000첫 줄", U"  첫 줄", NONE), "");
    EXPECT_EQ(find_lost_characters(U"가\r\n나", U"가`나", marks), "");
    std::string lost = find_lost_characters(U"가😀나", U"가?나", NONE);
    EXPECT_NE(lost.find("the texts part: source character 1"), std::string::npos) << lost;
    EXPECT_NE(lost.find("<U+1F600>"), std::string::npos) << lost;
    EXPECT_NE(find_lost_characters(U"가\u200D나", U"가나", NONE), "") << "a joiner is not white space";
}

}  // namespace

}  // namespace tessaline
