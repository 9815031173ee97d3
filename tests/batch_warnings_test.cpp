// What a file lost on its way through a batch is told after its result is written, never for a
// result that was not.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "pipeline/batch_run.h"
#include "tests/support/recording_view.h"

namespace tessaline {

namespace fs = std::filesystem;

namespace {

class BatchWarningsTest : public ::testing::Test {
protected:
    fs::path folder;

    void SetUp() override {
        char name[] = "/tmp/tessaline-warnings-XXXXXX";
        folder = mkdtemp(name);
    }
    void TearDown() override { fs::remove_all(folder); }

    std::vector<std::string> warnings_of(const std::string& utf8_text, OutputEncoding output) {
        std::string path = (folder / "novel.txt").string();
        std::ofstream(path, std::ios::binary) << utf8_text;
        BatchRequest request;
        request.files = {BatchFile{path, "", false}};
        request.output_encoding = output;
        RecordingView recording;
        run_batch(request, recording);
        return recording.of("report_warning");
    }
};

TEST_F(BatchWarningsTest, WhatACp949ResultCouldNotKeepIsToldOnceItIsWritten) {
    const std::string text = "그는 웃었다 😀 — 그리고 다시 웃었다 😀\n";
    std::ofstream(folder / "Tessaline") << "a file where the folder should be";
    EXPECT_TRUE(warnings_of(text, OutputEncoding::cp949).empty()) << "nothing was written, so nothing was lost";

    fs::remove(folder / "Tessaline");
    std::vector<std::string> warnings = warnings_of(text, OutputEncoding::cp949);
    ASSERT_EQ(warnings.size(), 1u);
    std::string expected_start = (folder / "novel.txt").string() + ": holds 3 characters that CP949 lacks";
    EXPECT_TRUE(warnings[0].starts_with(expected_start)) << warnings[0];

    EXPECT_TRUE(warnings_of(text, OutputEncoding::same).empty()) << "a UTF-8 result keeps them";
}

TEST_F(BatchWarningsTest, BytesThatAreNotTextAreToldWithTheFile) {
    std::vector<std::string> warnings = warnings_of("\xEF\xBB\xBF첫 줄이다\n\xFF 둘째 줄이다\n", OutputEncoding::same);
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_NE(warnings[0].find("has 1 byte that is not UTF-8"), std::string::npos) << warnings[0];
}

}  // namespace

}  // namespace tessaline
