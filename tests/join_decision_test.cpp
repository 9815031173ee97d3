#include <gtest/gtest.h>

#include <string>

#include "tests/support/engine_harness.h"

namespace tessaline {

namespace {

// Under a minimum length the empty line after a final LF is kept: results then end in one more CR LF.
const std::string kept_last = "\r\n";

// A line that meets no keep rule and whose ending calls for no space at the joint.
const std::string open_line = "나무 사이로 바람이 조용히 지나가는 소리가 들려오고 있었다 그리고 하";
const std::string next_line = "늘은 맑았다.";

ConversionOptions with_min_length(int characters) {
    ConversionOptions options = plain_options();
    options.min_line_bytes = characters * 2;
    return options;
}

bool is_joined(const std::string& ending, const ConversionOptions& options) {
    std::string result = reflow_utf8(open_line + ending + "\r\n" + next_line + "\r\n", options);
    return result.find(ending + "\r\n") == std::string::npos;
}

struct EndingCase {
    const char* ending;
    bool kept;
};

class LineEnding : public testing::TestWithParam<EndingCase> {};

TEST_P(LineEnding, DecidesKeepOrJoin) {
    EXPECT_EQ(!is_joined(GetParam().ending, plain_options()), GetParam().kept) << GetParam().ending;
}

INSTANTIATE_TEST_SUITE_P(KeepMarks, LineEnding,
                         testing::Values(EndingCase{".", true}, EndingCase{"?", true}, EndingCase{"!", true},
                                         EndingCase{":", true}, EndingCase{";", true}, EndingCase{"]", true},
                                         EndingCase{">", true}, EndingCase{"”", true}, EndingCase{"’", true},
                                         EndingCase{"“", true}, EndingCase{"‘", true}, EndingCase{"…", true},
                                         EndingCase{"==", true}, EndingCase{"--", true}, EndingCase{"**", true},
                                         EndingCase{"//", true}, EndingCase{"다 ", false}, EndingCase{",", false},
                                         EndingCase{")", false}, EndingCase{"=", false}, EndingCase{"-*", false},
                                         EndingCase{"다", false}));

TEST(KeepRules, TwoEmptyLinesAfterALineKeepIt) {
    std::string result = reflow_utf8(open_line + "\r\n\r\n\r\n" + next_line + "\r\n", plain_options());
    EXPECT_EQ(result, open_line + "\r\n\r\n\r\n" + next_line + "\r\n");
}

TEST(KeepRules, AShortLineStartingAParagraphStandsAlone) {
    ConversionOptions options = with_min_length(15);
    EXPECT_EQ(reflow_utf8("제삼장 떠나는 날\r\n" + next_line + "\r\n", options),
              "제삼장 떠나는 날\r\n" + next_line + "\r\n" + kept_last);
    // A closing quote at its start does not protect it; it is judged by the other rules.
    EXPECT_EQ(reflow_utf8("”하고 말했다 그\r\n" + next_line + "\r\n", options),
              "”하고 말했다 그" + next_line + "\r\n" + kept_last);
}

TEST(KeepRules, TheMinimumCountsBytesIncludingTheLineEnd) {
    // 28 bytes of text and CR LF make 30: kept under a minimum of 15 characters, joined under 14.
    const std::string title = "가나다라마바사아자차카타파하";
    EXPECT_EQ(reflow_utf8(title + "\r\n" + next_line + "\r\n", with_min_length(15)),
              title + "\r\n" + next_line + "\r\n" + kept_last);
    EXPECT_EQ(reflow_utf8(title + "\r\n" + next_line + "\r\n", with_min_length(14)),
              title + next_line + "\r\n" + kept_last);
}

TEST(KeepRules, BoardHeaderLinesAreKept) {
    const char* headers[] = {"제 목: 오늘 모임 안내", "제 목 : 오늘 모임 안내", "번 호: 1234 가나다",
                             "조회수: 120 회 가나다", "조회수 : 120 회 가나",   "작성자: 누군가 가나다",
                             "등록자: 누군가 가나",   "등록일: 이천십년 칠월",  "올린이: 누군가 가나다",
                             "제목: 오늘 모임 안내",  "제목 : 오늘 모임 안내",  "번호: 1234 가나다라"};
    for (const char* header : headers) {
        std::string source = std::string(header) + "\r\n" + next_line + "\r\n";
        EXPECT_EQ(reflow_utf8(source, plain_options()), source) << header;
    }
    // Two spaces before the colon make it ordinary text; the line is joined.
    std::string joined = reflow_utf8("제목  : 오늘 모임 안내\r\n" + next_line + "\r\n", plain_options());
    EXPECT_EQ(joined.find("\r\n"), joined.size() - 2) << joined;
}

TEST(KeepRules, AnIndentedNextLineStartsAParagraphInUnindentedDocuments) {
    std::string source;
    for (int i = 0; i < 201; ++i) source += "가나다라마바사아자차카타파하가나다라마바사아자차카타파하.\r\n";
    std::string tail = open_line + "\r\n  " + next_line + "\r\n";
    std::string result = reflow_utf8(source + tail, plain_options());
    EXPECT_NE(result.find(open_line + "\r\n" + next_line), std::string::npos);
    // The same lines in an ordinary document are joined.
    EXPECT_EQ(reflow_utf8(tail, plain_options()), open_line + next_line + "\r\n");
}

TEST(JoinSteps, AShortLineAfterAJoinedLineStartsOnALineOfItsOwn) {
    ConversionOptions options = with_min_length(15);
    EXPECT_EQ(reflow_utf8(open_line + "\r\n짧은 줄\r\n" + next_line + "\r\n", options),
              open_line + "\r\n짧은 줄\r\n" + next_line + "\r\n" + kept_last);
    // An empty line that the join swallowed comes back before the short line.
    EXPECT_EQ(reflow_utf8(open_line + "\r\n\r\n짧은 줄\r\n" + next_line + "\r\n", options),
              open_line + "\r\n\r\n짧은 줄\r\n" + next_line + "\r\n" + kept_last);
}

TEST(JoinSteps, AShortLineBeforeAQuotationIsNotBrokenOff) {
    std::string result = reflow_utf8(open_line + "\r\n짧은 줄\r\n\"가자.\"\r\n", with_min_length(15));
    EXPECT_EQ(result.find(open_line + "\r\n짧은"), std::string::npos) << result;
}

TEST(JoinSteps, AShortJoinedLineBeforeAnEmptyLineEndsItsParagraph) {
    EXPECT_EQ(reflow_utf8(open_line + "\r\n짧게,\r\n\r\n" + next_line + "\r\n", with_min_length(15)),
              open_line + "짧게,\r\n\r\n" + next_line + "\r\n" + kept_last);
}

TEST(JoinSteps, NumberedAndSeparatorLinesStartOnANewLine) {
    for (const char* next :
         {"1. 첫째 항목이다.", "2: 둘째 항목이다.", "3- 셋째 항목이다.", "-----", "=====", "/////", "*****"}) {
        std::string source = open_line + "\r\n" + next + "\r\n";
        EXPECT_EQ(reflow_utf8(source, plain_options()), source) << next;
    }
    EXPECT_EQ(reflow_utf8(open_line + "\r\n1 늘은 맑았다.\r\n", plain_options()), open_line + "1 늘은 맑았다.\r\n");
}

TEST(JoinSteps, AnEmptyLineIsSwallowedUnlessANumberedLineFollows) {
    ConversionOptions options = with_min_length(15);
    EXPECT_EQ(reflow_utf8(open_line + "\r\n\r\n" + next_line + "\r\n", plain_options()),
              open_line + next_line + "\r\n");
    EXPECT_EQ(reflow_utf8(open_line + "\r\n\r\n1. 항목이다.\r\n", options),
              open_line + "\r\n\r\n1. 항목이다.\r\n" + kept_last);
}

TEST(JoinSteps, TheJoinMarkStandsAtEveryJoint) {
    ConversionOptions options = plain_options();
    options.mark_joins = true;
    EXPECT_EQ(reflow_utf8(open_line + "\r\n" + next_line, options), open_line + "`" + next_line + "\r\n");
}

}  // namespace

}  // namespace tessaline
