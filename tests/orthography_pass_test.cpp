#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "engine/engine_state.h"
#include "engine/orthography_pass.h"
#include "engine/reflow.h"
#include "tests/support/cp949.h"
#include "tests/support/engine_harness.h"
#include "tests/support/recording_view.h"

namespace {

void load_output(const std::string& text) {
    text_buffer_reset(output_text, text.size() + 1);
    output_append(text.data(), text.size());
}

void load_second_pass(const std::string& text) {
    text_buffer_reset(second_pass_buffer, 1);
    second_pass_append(text.data(), text.size());
}

std::string final_string() { return std::string(reinterpret_cast<const char*>(final_text()), final_text_length()); }

// The pass as it runs after the main loop alone: the output text is the source.
std::string correct(const std::string& text) {
    engine_state = EngineState{};
    engine_view = nullptr;
    load_output(text);
    load_second_pass("");
    orthography_pass();
    EXPECT_EQ(std::strlen(reinterpret_cast<const char*>(second_pass_buffer.bytes)), engine_state.second_pass_length);
    return final_string();
}

TEST(OrthographyPass, CorrectsTheOldPoliteEnding) {
    EXPECT_EQ(utf8(correct(cp949("그는 했읍니다. 있읍니까?\r\n"))), "그는 했습니다. 있습니까?\r\n");
    EXPECT_EQ(utf8(correct(cp949("읍니읍니"))), "습니습니");
    EXPECT_EQ(utf8(correct(cp949("읍 니 읍니"))), "읍 니 습니");
    EXPECT_EQ(utf8(correct(cp949("끝에 읍"))), "끝에 읍");
}

TEST(OrthographyPass, ComparesAtEveryBytePosition) {
    EXPECT_EQ(correct("a\xC0\xBE\xB4\xCF"), "a\xBD\xC0\xB4\xCF");
    EXPECT_EQ(correct("\xB0\xC0\xBE\xB4\xCF"), "\xB0\xBD\xC0\xB4\xCF");
}

TEST(OrthographyPass, AfterTheMainLoopAloneLeavesTheTextInTheSecondPassBuffer) {
    std::string text = cp949("했읍니다.\r\n");
    correct(text);
    EXPECT_EQ(utf8(std::string(reinterpret_cast<const char*>(second_pass_buffer.bytes), engine_state.second_pass_length)),
              "했습니다.\r\n");
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(output_text.bytes), engine_state.output_length), text);
}

TEST(OrthographyPass, AfterTheLongSentencePassLeavesTheTextInTheOutputText) {
    engine_state = EngineState{};
    engine_view = nullptr;
    load_output(std::string(5000, 'x'));
    std::string text = cp949("했읍니다.\r\n") + std::string(20000, 'y');
    load_second_pass(text);
    orthography_pass();
    EXPECT_EQ(second_pass_buffer.bytes[0], 0);
    EXPECT_EQ(engine_state.second_pass_length, 0u);
    ASSERT_EQ(engine_state.output_length, text.size());
    EXPECT_EQ(std::strlen(reinterpret_cast<const char*>(output_text.bytes)), text.size());
    EXPECT_EQ(final_string(), cp949("했습니다.\r\n") + std::string(20000, 'y'));
}

TEST(OrthographyPass, AnEmptyTextLeavesBothBuffersEmpty) {
    EXPECT_EQ(correct(""), "");
    EXPECT_EQ(second_pass_buffer.bytes[0], 0);
    EXPECT_EQ(engine_state.output_length, 0u);
}

TEST(OrthographyPass, ReportsProgressFromSeventyFiveOnlyForward) {
    RecordingView recorder;
    ProgressView view = recorder.view();
    engine_state = EngineState{};
    engine_state.last_progress = 80;
    engine_view = &view;
    load_output(std::string(100000, 'z'));
    load_second_pass("");
    orthography_pass();
    engine_view = nullptr;
    ASSERT_FALSE(recorder.file_progress.empty());
    EXPECT_EQ(recorder.file_progress.front(), 81);
    EXPECT_EQ(recorder.file_progress.back(), 99);
    for (size_t i = 1; i < recorder.file_progress.size(); ++i)
        EXPECT_GT(recorder.file_progress[i], recorder.file_progress[i - 1]);
}

TEST(OrthographyInTheEngine, CorrectsWithEveryOptionOffOrOn) {
    EXPECT_EQ(reflow_utf8("그는 했읍니다.", plain_options()), "그는 했습니다.\r\n");
    ConversionOptions all = window_defaults();
    all.remove_hanja = 1;
    all.mark_joins = 1;
    EXPECT_EQ(reflow_utf8("그는 했읍니다.", all), "그는 했습니다.\r\n");
}

}  // namespace
