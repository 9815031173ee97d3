#include <gtest/gtest.h>

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "engine/reflow.h"
#include "tests/support/cp949.h"
#include "tests/support/engine_harness.h"
#include "tests/support/rule_bench.h"

namespace tessaline {

namespace {

ConversionOptions with_min_length(int characters) {
    ConversionOptions options = plain_options();
    options.min_line_bytes = characters * 2;
    return options;
}

struct LoopCase {
    const char* name;
    const char* source;
    const char* expected;
};

class LineLoop : public testing::TestWithParam<LoopCase> {};

// Under a minimum length the empty last line that follows a final LF is kept as a line of its own.
TEST_P(LineLoop, ProducesTheExpectedText) {
    EXPECT_EQ(reflow_utf8(GetParam().source, with_min_length(15)), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    LineEnds, LineLoop,
    testing::Values(
        LoopCase{"empty_text_is_one_kept_empty_line", "", "\r\n"},
        LoopCase{"crlf_paragraph_joins", "그는 천천히 산길을 따라 걸어가고 있었\r\n다. 해가 지고 있었다.\r\n",
                 "그는 천천히 산길을 따라 걸어가고 있었다. 해가 지고 있었다.\r\n\r\n"},
        LoopCase{"lf_paragraph_joins_the_same", "그는 천천히 산길을 따라 걸어가고 있었\n다. 해가 지고 있었다.\n",
                 "그는 천천히 산길을 따라 걸어가고 있었다. 해가 지고 있었다.\r\n\r\n"},
        LoopCase{"last_line_without_line_end_gets_crlf", "해가 지고 있었다.", "해가 지고 있었다.\r\n"},
        LoopCase{"lone_cr_ends_the_last_line_as_it_is", "해가 지고 있었다.\r\n끝\r", "해가 지고 있었다.\r\n끝\r"},
        LoopCase{"two_or_more_empty_lines_become_two", "첫째 문단이다.\r\n\r\n\r\n\r\n   둘째 문단이다.\r\n",
                 "첫째 문단이다.\r\n\r\n\r\n둘째 문단이다.\r\n\r\n"},
        LoopCase{"space_only_lines_count_as_empty", "첫째 문단이다.\r\n  \r\n \r\n둘째 문단이다.\r\n",
                 "첫째 문단이다.\r\n\r\n\r\n둘째 문단이다.\r\n\r\n"},
        LoopCase{"one_empty_line_stays_a_line_of_its_own", "첫째 문단이다.\r\n\r\n둘째 문단이다.\r\n",
                 "첫째 문단이다.\r\n\r\n둘째 문단이다.\r\n\r\n"},
        LoopCase{"inner_space_runs_are_squeezed", "바람이  불고    비가 내렸다.\r\n",
                 "바람이 불고 비가 내렸다.\r\n\r\n"}),
    [](const testing::TestParamInfo<LoopCase>& info) { return std::string(info.param.name); });

TEST(LineLoopWithoutMinimum, SwallowsASingleEmptyLineAfterAKeptLine) {
    // Nothing keeps an empty line of its own when short lines are not protected; the final empty
    // line is joined away too.
    EXPECT_EQ(reflow_utf8("첫째 문단이다.\r\n\r\n둘째 문단이다.\r\n", plain_options()),
              "첫째 문단이다.\r\n둘째 문단이다.\r\n");
}

TEST(LineLoopLongLines, ALineOfSeveralHundredKilobytesArrivesWhole) {
    std::string line;
    while (line.size() < 400000) line += "가나다라 마바사 ";
    line += "끝이다.";
    std::string result = reflow_utf8(line, plain_options());
    EXPECT_EQ(result.size(), line.size() + 2);
    EXPECT_TRUE(result == line + "\r\n");
}

TEST(LineLoopLongLines, ManyLongHardWrappedLinesJoinIntoOneParagraph) {
    std::string source;
    std::string expected;
    for (int i = 0; i < 2000; ++i) {
        source += "가나다라마바사아자차카타파하\r\n";
        expected += "가나다라마바사아자차카타파하";
    }
    source += "끝이다.\r\n";
    expected += "끝이다.\r\n";
    EXPECT_TRUE(reflow_utf8(source, plain_options()) == expected);
}

TEST(LineLoopProfile, ShortTextsAreNotScanned) {
    EXPECT_EQ(profile_after_line_loop(cp949(" [가나다"), plain_options()).bracket_openers, 0);
    EXPECT_EQ(profile_after_line_loop(cp949(" [가나다라마바"), plain_options()).bracket_openers, 1);
}

TEST(LineLoopProfile, CountsLongLinesThatEndWithoutASpace) {
    std::string source;
    for (int i = 0; i < 12; ++i) source += "가나다라마바사아자차카타파하가나다\r\n";  // 36 bytes with CR LF
    source += "가나다라마바사아자차카타파하가나 \r\n";
    source += "가나다\r\n";
    EXPECT_EQ(profile_after_line_loop(cp949(source), plain_options()).unspaced_long_lines, 12);
}

TEST(LineLoopProfile, MostlyUnindentedLongLinesSetTheCountTo200) {
    std::string source;
    for (int i = 0; i < 202; ++i) source += "가나다라마바사아자차카타파하가나다라마바사아자차카타파하\r\n";
    EXPECT_EQ(profile_after_line_loop(cp949(source), plain_options()).unindented_long_lines, 200);
    source.resize(source.size() / 202 * 200);
    EXPECT_EQ(profile_after_line_loop(cp949(source), plain_options()).unindented_long_lines, 0);
}

// Progress counts converted input bytes: told only forward, and the whole input at the end.
class ProgressRecord : public ProgressSink {
public:
    void consumed(uint64_t bytes) override { told.push_back(bytes); }
    std::vector<uint64_t> told;
};

class NullSink : public OutputSink {
public:
    void write(std::span<const unsigned char>) override {}
};

TEST(LineLoopProgress, MovesOnlyForwardAndEndsAtTheWholeInput) {
    std::string source;
    for (int i = 0; i < 30000; ++i) source += "가나다라마바사아자차카타파하.\r\n";
    std::string bytes = cp949(source);
    for (ConversionOptions options : {plain_options(), window_defaults()}) {
        ProgressRecord progress;
        NullSink sink;
        Reflow reflow(options, &progress);
        reflow.feed(std::span(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size()), sink);
        reflow.finish(sink);
        ASSERT_GE(progress.told.size(), 2u);
        for (size_t i = 1; i < progress.told.size(); ++i) EXPECT_GT(progress.told[i], progress.told[i - 1]);
        EXPECT_EQ(progress.told.back(), bytes.size());
    }
}

}  // namespace

}  // namespace tessaline
