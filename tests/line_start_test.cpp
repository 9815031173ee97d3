#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "engine/rules/line_start.h"
#include "tests/support/cp949.h"
#include "tests/support/engine_harness.h"
#include "tests/support/rule_bench.h"

namespace tessaline {

namespace {

// A line and the output text before it, all written in UTF-8.
struct LineCase {
    const char* name;
    const char* line;  // without its CR LF
    const char* output_before;
    int32_t unspaced_long_lines;
    const char* line_after;  // without its CR LF
    const char* output_after;
};

struct LineResult {
    std::string line;
    std::string output;
};

// Runs the step alone on one line, as the line loop hands it over: CR LF at its end.
LineResult run_step(const std::string& line, const std::string& output, int32_t unspaced) {
    RuleBench bench;
    bench.cv().profile.unspaced_long_lines = unspaced;
    bench.set_line(line + "\r\n");
    bench.set_output(output);
    normalise_line_start(bench.cv());
    const Conversion& cv = bench.cv();
    EXPECT_EQ(cv.line.bytes()[cv.line.length], 0) << "line not NUL-terminated at its length";
    EXPECT_EQ(cv.output_byte(cv.output_length()), 0) << "output not NUL-terminated at its length";
    return {bench.line(), bench.output()};
}

void check_cases(const std::vector<LineCase>& cases) {
    for (const LineCase& c : cases) {
        LineResult got = run_step(cp949(c.line), cp949(c.output_before), c.unspaced_long_lines);
        EXPECT_EQ(utf8(got.line), std::string(c.line_after) + "\r\n") << c.name;
        EXPECT_EQ(utf8(got.output), c.output_after) << c.name;
    }
}

// Forty-seven bytes: with its CR LF a rest of 49, too long to keep an indentation.
const std::string long_text = "그는 오래도록 창밖의 비를 바라보며 앉아 있었다.";

TEST(LineStartTest, IndentationBecomesTwoSpacesOnlyForAShortParagraphStart) {
    check_cases({
        {"full-width indentation, short", "　　짧은 줄.", "앞 줄.\r\n", 0, "  짧은 줄.", "앞 줄.\r\n"},
        {"full-width indentation at the very start", "　　짧은 줄.", "", 0, "  짧은 줄.", ""},
        {"full-width indentation, long rest", ("　　" + long_text).c_str(), "앞 줄.\r\n", 0, long_text.c_str(),
         "앞 줄.\r\n"},
        {"full-width indentation after an open joint", "　　짧은 줄.", "앞 줄이", 0, "짧은 줄.", "앞 줄이"},
        {"one full-width space is two spaces and goes", "　짧은 줄.", "", 0, "짧은 줄.", ""},
        {"one space", " 짧은 줄.", "", 0, "짧은 줄.", ""},
        {"two spaces", "  짧은 줄.", "앞 줄.\r\n", 0, "짧은 줄.", "앞 줄.\r\n"},
        {"three spaces, short", "   짧은 줄.", "앞 줄.\r\n", 0, "  짧은 줄.", "앞 줄.\r\n"},
        {"three spaces before a double quote", "   \"가자.\"", "", 0, "\"가자.\"", ""},
        {"three spaces before a curly quote stay two", "   “가자.”", "", 0, "  “가자.”", ""},
        {"full-width spaces inside the text stay", "　　가　나.", "", 0, "  가　나.", ""},
        {"a line of spaces only", "      ", "앞 줄.\r\n", 0, "", "앞 줄.\r\n"},
    });
}

TEST(LineStartTest, TheShortRestEndsBelowFortyBytes) {
    std::string rest37(36, 'a');  // 36 bytes, a full stop and the CR LF: a rest of 39
    rest37 += ".";
    std::string rest38 = rest37 + "a";
    check_cases({
        {"rest of 39 keeps two", ("    " + rest37).c_str(), "", 0, ("  " + rest37).c_str(), ""},
        {"rest of 40 keeps none", ("    " + rest38).c_str(), "", 0, rest38.c_str(), ""},
    });
}

TEST(LineStartTest, TrailingSpacesFollowTheDocumentsWrapHabit) {
    check_cases({
        {"word and one space, spaced wraps", "먼 산 ", "", 10, "먼 산 ", ""},
        {"word and one space, other documents", "먼 산 ", "", 9, "먼 산", ""},
        {"full stop and one space", "그는 갔다. ", "", 10, "그는 갔다.", ""},
        {"closing quote and one space", "“가자” ", "", 10, "“가자”", ""},
        {"closing single quote and one space", "‘가자’ ", "", 10, "‘가자’", ""},
        {"closing quote and three spaces", "“가자.”   ", "", 10, "“가자.”", ""},
        {"bracket and two spaces", "[알림]  ", "", 10, "[알림]", ""},
        {"word and two spaces", "먼 산  ", "", 10, "먼 산 ", ""},
        {"word and four spaces", "먼 산    ", "", 10, "먼 산 ", ""},
        {"word and four spaces, other documents", "먼 산    ", "", 0, "먼 산", ""},
        {"four bytes are never trimmed", "a ", "", 0, "a ", ""},
        {"five bytes are", "가 ", "", 0, "가", ""},
        {"spaces from the second byte on stay as found", "a    ", "", 0, "a   ", ""},
    });
}

TEST(LineStartTest, ALineOpeningWithAMarkIsSetApartFromTheOutput) {
    check_cases({
        {"double quote after an open joint", "\"가자.\"", "그는 천천히", 0, "\"가자.\"", "그는 천천히\r\n\r\n"},
        {"bracket after an open joint", "[알림]", "그는 천천히", 0, "[알림]", "그는 천천히\r\n\r\n"},
        {"apostrophe with a second one continues", "'가자'고 했다", "그는", 0, "'가자'고 했다", "그는 "},
        {"no second space after a space", "'가자'고 했다", "그는 ", 0, "'가자'고 했다", "그는 "},
        {"single quote continued by a second one", "‘가자’며 ‘또’", "그는", 0, "‘가자’며 ‘또’", "그는 "},
        {"closing single quotes do not count", "‘가자’고 했다", "그는", 0, "‘가자’고 했다", "그는\r\n\r\n"},
        {"apostrophe too close to the end", "'가'", "그는", 0, "'가'", "그는\r\n\r\n"},
        {"apostrophe before the last byte is not looked at", "'가자'.", "그는", 0, "'가자'.", "그는\r\n\r\n"},
        {"apostrophe before the last two bytes is", "'가자'고", "그는", 0, "'가자'고", "그는 "},
        {"curly quote after a kept line", "“가자.”", "앞 줄.\r\n", 0, "“가자.”", "앞 줄.\r\n\r\n"},
        {"after an empty line already", "“가자.”", "앞 줄.\r\n\r\n", 0, "“가자.”", "앞 줄.\r\n\r\n"},
        {"output too short", "“가자.”", "\r\n", 0, "“가자.”", "\r\n"},
        {"empty output", "“가자.”", "", 0, "“가자.”", ""},
        {"no mark at the start", "그는 “가자.”", "그는 천천히", 0, "그는 “가자.”", "그는 천천히"},
    });
}

TEST(LineStartTest, AKeptLineEndingInAClosingMarkGetsABlankLine) {
    check_cases({
        {"curly quote", "다음 줄.", "“가자.”\r\n", 0, "다음 줄.", "“가자.”\r\n\r\n"},
        {"double quote", "다음 줄.", "그는 \"가자.\"\r\n", 0, "다음 줄.", "그는 \"가자.\"\r\n\r\n"},
        {"bracket", "다음 줄.", "[알림]\r\n", 0, "다음 줄.", "[알림]\r\n\r\n"},
        {"full stop", "다음 줄.", "그는 갔다.\r\n", 0, "다음 줄.", "그는 갔다.\r\n"},
        {"joint still open", "다음 줄.", "“가자.”", 0, "다음 줄.", "“가자.”"},
        {"a line of three bytes adds nothing", "a", "“가자.”\r\n", 0, "a", "“가자.”\r\n"},
        {"quotation opened on the line itself", "다음 줄.", "앞.\r\n그가 '가자'\r\n", 0, "다음 줄.",
         "앞.\r\n그가 '가자'\r\n"},
        {"opening single quote on the line", "다음 줄.", "앞.\r\n그가 ‘가자’\r\n", 0, "다음 줄.",
         "앞.\r\n그가 ‘가자’\r\n"},
        {"quotation opened at the line's third byte", "다음 줄.", "앞.\r\n그'가자'\r\n", 0, "다음 줄.",
         "앞.\r\n그'가자'\r\n\r\n"},
        {"quotation opened at the line's fourth byte", "다음 줄.", "앞.\r\n그 '가자'\r\n", 0, "다음 줄.",
         "앞.\r\n그 '가자'\r\n"},
        {"quotation opened at the line start", "다음 줄.", "앞.\r\n'가나다'\r\n", 0, "다음 줄.",
         "앞.\r\n'가나다'\r\n\r\n"},
        {"curly quotation opened at the line start", "다음 줄.", "앞.\r\n‘가나다’\r\n", 0, "다음 줄.",
         "앞.\r\n‘가나다’\r\n\r\n"},
        {"quotation opened on an earlier line", "다음 줄.", "앞.\r\n가자고 했다'\r\n", 0, "다음 줄.",
         "앞.\r\n가자고 했다'\r\n\r\n"},
        {"at the very start of the output", "다음 줄.", "'가나다'\r\n", 0, "다음 줄.", "'가나다'\r\n\r\n"},
        {"a quoted line after a closing quote gets one blank line", "“또 가자.”", "“가자.”\r\n", 0, "“또 가자.”",
         "“가자.”\r\n\r\n"},
    });
}

// Long lines ending without a space: ten of them end in a LF, so the document wraps inside words.
std::string spaced_wrap_lines() {
    std::string lines;
    for (int k = 0; k < 11; ++k) lines += "\n" + long_text;
    return lines;
}

std::string spaced_wrap_output() {
    std::string lines;
    for (int k = 0; k < 11; ++k) lines += long_text + "\r\n";
    return lines;
}

TEST(LineStartTest, WholeLinesThroughTheEngine) {
    ConversionOptions plain = plain_options();
    EXPECT_EQ(reflow_utf8("첫 줄이다.\n　　짧은 줄.", plain), "첫 줄이다.\r\n  짧은 줄.\r\n");
    EXPECT_EQ(reflow_utf8("첫 줄이다.\n　　" + long_text, plain), "첫 줄이다.\r\n" + long_text + "\r\n");
    EXPECT_EQ(reflow_utf8("“가자.”\n그는 돌아섰다.", plain), "“가자.”\r\n\r\n그는 돌아섰다.\r\n");
    EXPECT_EQ(reflow_utf8("그는 천천히\n\"가자.\"", plain), "그는 천천히 \r\n\r\n\"가자.\"\r\n");
    EXPECT_EQ(reflow_utf8("“가자.”   \n\n\n다음 줄.", plain), "“가자.”\r\n\r\n\r\n다음 줄.\r\n");
}

TEST(LineStartTest, TrailingSpaceAtAWrapThroughTheEngine) {
    ConversionOptions plain = plain_options();
    // Without the habit the space goes and the joint rules find none for this joint.
    EXPECT_EQ(reflow_utf8("그는 멀리 보이는 산 \n위로 올라갔다.", plain), "그는 멀리 보이는 산위로 올라갔다.\r\n");
    EXPECT_EQ(reflow_utf8("그는 멀리 보이는 산 \n위로 올라갔다." + spaced_wrap_lines(), plain),
              "그는 멀리 보이는 산 위로 올라갔다.\r\n" + spaced_wrap_output());
    EXPECT_EQ(reflow_utf8("그는 멀리 보이는 산    \n위로 올라갔다." + spaced_wrap_lines(), plain),
              "그는 멀리 보이는 산 위로 올라갔다.\r\n" + spaced_wrap_output());
}

}  // namespace

}  // namespace tessaline
