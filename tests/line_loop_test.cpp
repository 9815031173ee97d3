#include <gtest/gtest.h>

#include <string>

#include "engine/engine_state.h"
#include "engine/reflow.h"
#include "tests/support/cp949.h"
#include "tests/support/engine_harness.h"
#include "tests/support/recording_view.h"

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
        LoopCase{"inner_space_runs_are_squeezed", "바람이  불고    비가 내렸다.\r\n", "바람이 불고 비가 내렸다.\r\n\r\n"}),
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
    reflow(cp949(" [가나다"), plain_options());
    EXPECT_EQ(document_profile.bracket_openers, 0);
    reflow(cp949(" [가나다라마바"), plain_options());
    EXPECT_EQ(document_profile.bracket_openers, 1);
}

TEST(LineLoopProfile, CountsLongLinesThatEndWithoutASpace) {
    std::string source;
    for (int i = 0; i < 12; ++i) source += "가나다라마바사아자차카타파하가나다\r\n";  // 36 bytes with CR LF
    source += "가나다라마바사아자차카타파하가나 \r\n";
    source += "가나다\r\n";
    reflow(cp949(source), plain_options());
    EXPECT_EQ(document_profile.unspaced_long_lines, 12);
}

TEST(LineLoopProfile, MostlyUnindentedLongLinesSetTheCountTo200) {
    std::string source;
    for (int i = 0; i < 202; ++i) source += "가나다라마바사아자차카타파하가나다라마바사아자차카타파하\r\n";
    reflow(cp949(source), plain_options());
    EXPECT_EQ(document_profile.unindented_long_lines, 200);
    source.resize(source.size() / 202 * 200);
    reflow(cp949(source), plain_options());
    EXPECT_EQ(document_profile.unindented_long_lines, 0);
}

TEST(LineLoopProgress, StartsAtZeroAndNeverMovesBack) {
    std::string source;
    for (int i = 0; i < 3000; ++i) source += "가나다라마바사아자차카타파하.\r\n";
    for (bool passes : {false, true}) {
        RecordingView recorder;
        ProgressView view = recorder.view();
        std::string bytes = cp949(source);
        text_buffer_reset(source_text, bytes.size() + 2);
        std::copy(bytes.begin(), bytes.end(), source_text.bytes);
        source_size = static_cast<uint32_t>(bytes.size());
        conversion_options = passes ? window_defaults() : plain_options();
        reflow_document(&view);
        ASSERT_FALSE(recorder.file_progress.empty());
        EXPECT_EQ(recorder.file_progress.front(), 0);
        for (size_t i = 2; i < recorder.file_progress.size(); ++i)
            EXPECT_GT(recorder.file_progress[i], recorder.file_progress[i - 1]);
        EXPECT_LE(recorder.file_progress.back(), 100);
        EXPECT_GE(recorder.file_progress.back(), passes ? 95 : 98);
        EXPECT_LE(recorder.file_progress.size(), 102u);
    }
}

}  // namespace
