#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "pipeline/output_path.h"
#include "pipeline/output_writer.h"
#include "pipeline/run_settings.h"
#include "pipeline/source_loader.h"
#include "platform/platform.h"
#include "tests/support/cp949.h"
#include "tests/support/recording_view.h"

namespace fs = std::filesystem;

namespace {

const std::string FOOTER_HEAD = "\r\n\r\n\r\n[modify by Tessaline  beta2 ver 2010.7.7]\r\n[Text modified date: ";

std::string compose(const std::string& text, int year, int month, int day) {
    TextBuffer into{};
    size_t length =
        compose_output(into, reinterpret_cast<const unsigned char*>(text.data()), text.size(), year, month, day);
    std::string composed(reinterpret_cast<const char*>(into.bytes), length);
    EXPECT_EQ(into.bytes[length], 0);
    text_buffer_release(into);
    return composed;
}

std::string footer_for_today() {
    int year = 0, month = 0, day = 0;
    platform_local_date(&year, &month, &day);
    return FOOTER_HEAD + std::to_string(year) + "." + std::to_string(month) + "." + std::to_string(day) + "]\r\n";
}

std::string read_file(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::vector<std::string> names_in(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
    return names;
}

TEST(ComposeOutput, TrimsTheEndToOneLineBreak) {
    struct Case {
        const char* what;
        std::string text;
        std::string kept;
    } cases[] = {
        {"spaces and blank lines cut", cp949("끝.") + "   \r\n\r\n", cp949("끝.") + "\r\n"},
        {"no line break gets one", cp949("끝."), cp949("끝.") + "\r\n"},
        {"bare LF and CR cut", "end \n\r\n\r", "end\r\n"},
        {"inner blanks kept", "a  \r\n  b\r\n", "a  \r\n  b\r\n"},
        {"empty text", "", ""},
        {"one byte", "x", "x"},
        {"first byte is never looked at", "x\r\n\r\n", "x\r\n\r\n"},
        {"only blanks stay as they are", "  \r\n", "  \r\n"},
    };
    for (const auto& c : cases) EXPECT_EQ(compose(c.text, 2010, 7, 7), c.kept + FOOTER_HEAD + "2010.7.7]\r\n") << c.what;
}

TEST(ComposeOutput, WritesTheDateWithoutLeadingZeros) {
    EXPECT_EQ(compose("", 2011, 3, 5), FOOTER_HEAD + "2011.3.5]\r\n");
    EXPECT_EQ(compose("", 2010, 12, 24), FOOTER_HEAD + "2010.12.24]\r\n");
    EXPECT_EQ(compose("", 2010, 7, 7).size(), 6u + 41 + 2 + 21 + 8 + 3);
}

TEST(ComposeOutput, AnEarlierFooterIsOrdinaryText) {
    std::string once = compose("text", 2010, 7, 7);
    std::string twice = compose(once, 2011, 3, 5);
    EXPECT_EQ(twice, once + FOOTER_HEAD + "2011.3.5]\r\n");
}

TEST(DottedTail, IsABlankLineAndFiveDottedLines) {
    std::string line = std::string(18, ' ') + ".\r\n";
    EXPECT_EQ(std::string(DOTTED_TAIL), "\r\n\r\n" + line + line + line + line + line);
    EXPECT_EQ(std::string(DOTTED_TAIL).size(), DOTTED_TAIL_LENGTH);
}

class OutputWriterTest : public ::testing::Test {
protected:
    fs::path folder;
    RecordingView recording;
    ProgressView view{};
    std::vector<std::string> failures;

    void SetUp() override {
        char name[] = "/tmp/tessaline-writer-XXXXXX";
        folder = mkdtemp(name);
        view = recording.view();
        run_settings = RunSettings{};
        run_settings.failure_context = &failures;
        run_settings.on_failure = [](void* context, const char* path, const char* reason) {
            static_cast<std::vector<std::string>*>(context)->push_back(std::string(path) + ": " + reason);
        };
    }
    void TearDown() override {
        run_settings = RunSettings{};
        loaded_source = LoadedSource{};
        fs::remove_all(folder);
    }

    bool write(const std::string& text, const std::string& input_path, int preview_limit = 30000) {
        return write_output(&view, reinterpret_cast<const unsigned char*>(text.data()), text.size(),
                            input_path.c_str(), preview_limit);
    }
};

TEST_F(OutputWriterTest, WritesIntoTheTessalineFolderBesideTheInputAndOverwrites) {
    std::string input = (folder / "a.txt").string();
    ASSERT_TRUE(write(cp949("첫 번째 변환"), input));
    fs::path output = folder / "Tessaline" / "a.txt";
    EXPECT_EQ(utf8(read_file(output)), utf8(cp949("첫 번째 변환") + "\r\n" + footer_for_today()));
    ASSERT_TRUE(write(cp949("두 번째"), input));
    EXPECT_EQ(utf8(read_file(output)), utf8(cp949("두 번째") + "\r\n" + footer_for_today()));
    EXPECT_EQ(names_in(folder / "Tessaline"), std::vector<std::string>{"a.txt"});
    EXPECT_TRUE(failures.empty());
}

TEST_F(OutputWriterTest, FormsOutputPaths) {
    EXPECT_EQ(output_path_for("/novels/a.txt"), "/novels/Tessaline/a.txt");
    EXPECT_EQ(output_path_for("/novels//a.txt"), "/novels//Tessaline/a.txt");
    EXPECT_EQ(output_path_for("/a.txt"), "/Tessaline/a.txt");
    EXPECT_EQ(output_path_for("notes.doc"), "Tessaline/notes.doc");
    run_settings.output_dir = "/out";
    EXPECT_EQ(output_path_for("/novels/a.txt"), "/out/a.txt");
    run_settings.output_dir = "/out/";
    EXPECT_EQ(output_path_for("a.txt"), "/out/a.txt");
}

TEST_F(OutputWriterTest, APathWithoutAFolderIsWrittenBesideTheCurrentFolder) {
    fs::path before = fs::current_path();
    fs::current_path(folder);
    bool written = write("text", "b.txt");
    fs::current_path(before);
    ASSERT_TRUE(written);
    EXPECT_EQ(read_file(folder / "Tessaline" / "b.txt"), "text\r\n" + footer_for_today());
}

TEST_F(OutputWriterTest, PreviewIsWholeUpToTheLimitElseCutWithTheDottedTail) {
    std::string input = (folder / "a.txt").string();
    ASSERT_TRUE(write(std::string(30, 'a'), input, 3000));
    std::string whole = std::string(30, 'a') + "\r\n" + footer_for_today();
    ASSERT_EQ(recording.of("show_preview"), std::vector<std::string>{whole});

    // The cut falls inside the two-byte character at byte 29999.
    std::string long_text = std::string(29999, 'x') + cp949("가") + std::string(10000, 'y');
    ASSERT_TRUE(write(long_text, input, 30000));
    std::string preview = recording.of("show_preview").back();
    ASSERT_EQ(preview.size(), 30000u + DOTTED_TAIL_LENGTH);
    EXPECT_TRUE(preview == std::string(29999, 'x') + "\xB0" + DOTTED_TAIL);
    EXPECT_EQ(recording.calls.front(), "set_file_progress:100");
}

TEST_F(OutputWriterTest, AFolderThatCannotBeCreatedFailsWithoutTouchingThePreview) {
    std::ofstream(folder / "Tessaline") << "a file in the way";
    EXPECT_FALSE(write("text", (folder / "a.txt").string()));
    EXPECT_TRUE(recording.of("show_preview").empty());
    EXPECT_EQ(recording.of("set_file_progress"), std::vector<std::string>{"100"});
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_NE(failures[0].find("cannot create the folder"), std::string::npos) << failures[0];
    EXPECT_EQ(read_file(folder / "Tessaline"), "a file in the way");
}

TEST_F(OutputWriterTest, AFailedWriteLeavesWhatWasThereAndNoTemporaryFile) {
    fs::create_directories(folder / "Tessaline" / "a.txt" / "inside");
    EXPECT_FALSE(write("text", (folder / "a.txt").string()));
    EXPECT_TRUE(fs::is_directory(folder / "Tessaline" / "a.txt" / "inside"));
    EXPECT_EQ(names_in(folder / "Tessaline"), std::vector<std::string>{"a.txt"});
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_NE(failures[0].find("cannot be written"), std::string::npos) << failures[0];
}

TEST_F(OutputWriterTest, AnOutputFolderIsCreatedWithItsParents) {
    std::string out = (folder / "out" / "deeper").string();
    run_settings.output_dir = out.c_str();
    ASSERT_TRUE(write("text", "/elsewhere/a.txt"));
    EXPECT_EQ(read_file(folder / "out" / "deeper" / "a.txt"), "text\r\n" + footer_for_today());
}

TEST_F(OutputWriterTest, NeverWritesOverItsOwnInput) {
    std::string input = (folder / "a.txt").string();
    std::ofstream(input) << "the novel";
    std::string out = folder.string();
    run_settings.output_dir = out.c_str();
    EXPECT_FALSE(write("text", input));
    EXPECT_EQ(read_file(input), "the novel");
    ASSERT_EQ(failures.size(), 1u);
}

TEST_F(OutputWriterTest, Utf8OutputKeepsLineEndsAndHasNoMark) {
    run_settings.output_encoding = OutputEncoding::utf8;
    ASSERT_TRUE(write(cp949("한글 문장\r\n둘째 줄"), (folder / "a.txt").string()));
    EXPECT_EQ(read_file(folder / "Tessaline" / "a.txt"), "한글 문장\r\n둘째 줄\r\n" + footer_for_today());
    EXPECT_EQ(recording.of("show_preview").back(), cp949("한글 문장\r\n둘째 줄\r\n") + footer_for_today());
}

TEST_F(OutputWriterTest, AUtf8ResultGetsBackTheCharactersOfTheStandIns) {
    std::string stand_ins;
    loaded_source.stand_ins.append(U'—', stand_ins);
    loaded_source.stand_ins.append(U'😀', stand_ins);
    loaded_source.encoding = TextEncoding::utf16le;
    run_settings.output_encoding = OutputEncoding::same;
    ASSERT_TRUE(write(cp949("가") + stand_ins + cp949("나"), (folder / "a.txt").string()));
    EXPECT_EQ(read_file(folder / "Tessaline" / "a.txt"), "가—😀나\r\n" + footer_for_today());
}

TEST_F(OutputWriterTest, WhatACp949ResultCouldNotKeepIsToldOnceItIsWritten) {
    std::vector<std::string> warnings;
    run_settings.warning_context = &warnings;
    run_settings.on_warning = [](void* context, const char* path, const char* warning) {
        static_cast<std::vector<std::string>*>(context)->push_back(std::string(path) + " " + warning);
    };
    loaded_source.name = "novel.txt";
    loaded_source.unkept = {{U'😀', 2}};
    std::string input = (folder / "novel.txt").string();
    std::ofstream(input) << "the novel";
    std::string out = folder.string();
    run_settings.output_dir = out.c_str();
    EXPECT_FALSE(write("text", input));
    EXPECT_TRUE(warnings.empty()) << "nothing was written, so nothing was lost";
    run_settings.output_dir = nullptr;
    ASSERT_TRUE(write("text", input));
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_TRUE(warnings[0].starts_with("novel.txt holds 2 characters that CP949 lacks")) << warnings[0];
}

TEST_F(OutputWriterTest, StandardOutputGetsTheFileBytesAndNoFolderIsMade) {
    run_settings.to_stdout = 1;
    fs::path captured = folder / "stdout";
    std::fflush(stdout);
    int saved = dup(STDOUT_FILENO);
    FILE* file = std::fopen(captured.c_str(), "wb");
    dup2(fileno(file), STDOUT_FILENO);
    bool written = write(cp949("표준 출력"), (folder / "a.txt").string());
    dup2(saved, STDOUT_FILENO);
    close(saved);
    std::fclose(file);
    ASSERT_TRUE(written);
    EXPECT_EQ(read_file(captured), cp949("표준 출력") + "\r\n" + footer_for_today());
    EXPECT_FALSE(fs::exists(folder / "Tessaline"));
}

}  // namespace
