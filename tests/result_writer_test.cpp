#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "pipeline/end_trim.h"
#include "pipeline/output_path.h"
#include "pipeline/preview.h"
#include "pipeline/result_writer.h"
#include "pipeline/shared_output.h"
#include "platform/platform.h"
#include "tests/support/cp949.h"

namespace tessaline {

namespace fs = std::filesystem;

namespace {

const std::string footer_head = "\r\n\r\n\r\n[modify by Tessaline  beta2 ver 2010.7.7]\r\n[Text modified date: ";

std::string footer_for_today() {
    int year = 0, month = 0, day = 0;
    platform_local_date(&year, &month, &day);
    return result_footer(year, month, day);
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

const unsigned char* bytes_of(const std::string& text) { return reinterpret_cast<const unsigned char*>(text.data()); }

// Feeds `text` to `put` in pieces of `piece` bytes (the last one shorter).
void in_pieces(const std::string& text, size_t piece, const std::function<void(const unsigned char*, size_t)>& put) {
    for (size_t at = 0; at < text.size(); at += piece) put(bytes_of(text) + at, std::min(piece, text.size() - at));
}

std::string trimmed(const std::string& text, size_t piece) {
    EndTrim trim;
    std::string kept;
    auto keep = [&kept](const unsigned char* bytes, size_t count) {
        kept.append(reinterpret_cast<const char*>(bytes), count);
    };
    in_pieces(text, piece, [&](const unsigned char* bytes, size_t count) { trim.put(bytes, count, keep); });
    trim.finish(keep);
    return kept;
}

TEST(EndTrim, CutsTheEndToOneLineBreakWhateverThePieces) {
    struct Case {
        const char* what;
        std::string text;
        std::string kept;
    } cases[] = {
        {"spaces and blank lines cut", cp949("끝.") + "   \r\n\r\n", cp949("끝.") + "\r\n"},
        {"no line break gets one", cp949("끝."), cp949("끝.") + "\r\n"},
        {"bare LF and CR cut", "end \n\r\n\r", "end\r\n"},
        {"inner blanks kept", "a  \r\n  b\r\n", "a  \r\n  b\r\n"},
        {"blank runs between words kept", "a" + std::string(300, ' ') + "b \r\n",
         "a" + std::string(300, ' ') + "b\r\n"},
        {"empty text", "", ""},
        {"one byte", "x", "x"},
        {"one blank byte", " ", " "},
        {"first byte is never looked at", "x\r\n\r\n", "x\r\n\r\n"},
        {"only blanks stay as they are", "  \r\n", "  \r\n"},
    };
    for (const auto& c : cases) {
        for (size_t piece = 1; piece <= c.text.size() + 1; ++piece)
            EXPECT_EQ(trimmed(c.text, piece), c.kept) << c.what << ", pieces of " << piece;
    }
}

TEST(ResultFooter, DatesWithoutLeadingZeros) {
    EXPECT_EQ(result_footer(2011, 3, 5), footer_head + "2011.3.5]\r\n");
    EXPECT_EQ(result_footer(2010, 12, 24), footer_head + "2010.12.24]\r\n");
    EXPECT_EQ(result_footer(2010, 7, 7).size(), 6u + 41 + 2 + 21 + 8 + 3);
}

TEST(Preview, IsWholeUpToTheLimitElseCutWithTheDottedTail) {
    std::string line = std::string(18, ' ') + ".\r\n";
    EXPECT_EQ(std::string(dotted_tail), "\r\n\r\n" + line + line + line + line + line);
    EXPECT_EQ(std::string(dotted_tail).size(), dotted_tail_length);
    EXPECT_EQ(preview_of(std::string(30, 'a'), 30, 30), std::string(30, 'a'));
    // The cut falls inside the two-byte character at byte 2.
    std::string head = "xx" + cp949("가") + "yy";
    EXPECT_EQ(preview_of(head, 40000, 3), "xx\xB0" + std::string(dotted_tail));
}

TEST(OutputPath, IsTheTessalineFolderBesideTheInputOrTheFolderGiven) {
    struct Case {
        const char* input;
        const char* folder;
        const char* expected;
    } cases[] = {
        {"/novels/a.txt", "", "/novels/Tessaline/a.txt"},
        {"/novels//a.txt", "", "/novels//Tessaline/a.txt"},
        {"/a.txt", "", "/Tessaline/a.txt"},
        {"notes.doc", "", "Tessaline/notes.doc"},
        {"/novels/a.txt", "/out", "/out/a.txt"},
        {"a.txt", "/out/", "/out/a.txt"},
    };
    for (const auto& c : cases) EXPECT_EQ(output_path_for(c.input, c.folder), c.expected) << c.input;
}

class ResultWriterTest : public ::testing::Test {
protected:
    fs::path folder;
    FileFailure failure;

    void SetUp() override {
        char name[] = "/tmp/tessaline-writer-XXXXXX";
        folder = mkdtemp(name);
    }
    void TearDown() override { fs::remove_all(folder); }

    // Writes `text` as the result of `input_path` in pieces of `piece` bytes; false when it failed.
    bool write(const std::string& text, const std::string& input_path, const std::string& output_folder = "",
               TextEncoding encoding = TextEncoding::cp949, size_t piece = 4096,
               const StandInTable* stand_ins = nullptr) {
        ResultWriter writer(encoding, stand_ins, preview_limit_last);
        if (!writer.open_file(input_path, output_folder, failure)) return false;
        in_pieces(text, piece, [&](const unsigned char* bytes, size_t count) { writer.write({bytes, count}); });
        bool finished = writer.finish(failure);
        head = writer.head();
        length = writer.length();
        return finished;
    }

    std::string head;
    uint64_t length = 0;
};

TEST_F(ResultWriterTest, WritesIntoTheTessalineFolderBesideTheInputAndOverwrites) {
    std::string input = (folder / "a.txt").string();
    ASSERT_TRUE(write(cp949("첫 번째 변환"), input)) << failure.reason;
    fs::path output = folder / "Tessaline" / "a.txt";
    EXPECT_EQ(utf8(read_file(output)), utf8(cp949("첫 번째 변환") + "\r\n" + footer_for_today()));
    ASSERT_TRUE(write(cp949("두 번째"), input)) << failure.reason;
    EXPECT_EQ(utf8(read_file(output)), utf8(cp949("두 번째") + "\r\n" + footer_for_today()));
    EXPECT_EQ(names_in(folder / "Tessaline"), std::vector<std::string>{"a.txt"});
}

TEST_F(ResultWriterTest, AResultInManyPiecesIsTheWholeTextTrimmedWithItsFooter) {
    std::string text;
    for (int k = 0; k < 9000; ++k) text += cp949("한 줄의 문장이 여기 있다.") + "\r\n";
    text += "  \r\n\r\n";
    std::string expected = text.substr(0, text.size() - 6) + footer_for_today();
    for (size_t piece : {size_t{1}, size_t{333}, size_t{70000}, text.size()}) {
        ASSERT_TRUE(write(text, (folder / "a.txt").string(), "", TextEncoding::cp949, piece)) << failure.reason;
        EXPECT_TRUE(read_file(folder / "Tessaline" / "a.txt") == expected) << "pieces of " << piece;
        EXPECT_EQ(length, expected.size());
        EXPECT_EQ(head, expected.substr(0, preview_limit_last)) << "the preview keeps only the first bytes";
    }
}

TEST_F(ResultWriterTest, APathWithoutAFolderIsWrittenBesideTheCurrentFolder) {
    fs::path before = fs::current_path();
    fs::current_path(folder);
    bool written = write("text", "b.txt");
    fs::current_path(before);
    ASSERT_TRUE(written) << failure.reason;
    EXPECT_EQ(read_file(folder / "Tessaline" / "b.txt"), "text\r\n" + footer_for_today());
}

TEST_F(ResultWriterTest, AFolderThatCannotBeCreatedFails) {
    std::ofstream(folder / "Tessaline") << "a file in the way";
    EXPECT_FALSE(write("text", (folder / "a.txt").string()));
    EXPECT_EQ(failure.path, (folder / "Tessaline" / "a.txt").string());
    EXPECT_NE(failure.reason.find("cannot create the folder"), std::string::npos) << failure.reason;
    EXPECT_EQ(read_file(folder / "Tessaline"), "a file in the way");
}

TEST_F(ResultWriterTest, AFailedWriteLeavesWhatWasThereAndNoTemporaryFile) {
    fs::create_directories(folder / "Tessaline" / "a.txt" / "inside");
    EXPECT_FALSE(write("text", (folder / "a.txt").string()));
    EXPECT_TRUE(fs::is_directory(folder / "Tessaline" / "a.txt" / "inside"));
    EXPECT_EQ(names_in(folder / "Tessaline"), std::vector<std::string>{"a.txt"});
    EXPECT_NE(failure.reason.find("cannot be written"), std::string::npos) << failure.reason;
}

TEST_F(ResultWriterTest, AnUnfinishedResultLeavesNoFileBehind) {
    {
        ResultWriter writer(TextEncoding::cp949, nullptr, preview_limit_last);
        ASSERT_TRUE(writer.open_file((folder / "a.txt").string(), "", failure));
        writer.write({bytes_of(std::string(100000, 'x')), 100000});
    }
    EXPECT_TRUE(names_in(folder / "Tessaline").empty());
}

TEST_F(ResultWriterTest, AnOutputFolderIsCreatedWithItsParents) {
    std::string out = (folder / "out" / "deeper").string();
    ASSERT_TRUE(write("text", "/elsewhere/a.txt", out)) << failure.reason;
    EXPECT_EQ(read_file(folder / "out" / "deeper" / "a.txt"), "text\r\n" + footer_for_today());
}

TEST_F(ResultWriterTest, NeverWritesOverItsOwnInput) {
    std::string input = (folder / "a.txt").string();
    std::ofstream(input) << "the novel";
    EXPECT_FALSE(write("text", input, folder.string()));
    EXPECT_EQ(read_file(input), "the novel");
    EXPECT_NE(failure.reason.find("would replace its own input file"), std::string::npos) << failure.reason;
}

TEST_F(ResultWriterTest, Utf8OutputKeepsLineEndsAndHasNoMarkWhileThePreviewStaysCp949) {
    std::string text = cp949("한글 문장\r\n둘째 줄");
    for (size_t piece : {size_t{1}, text.size()}) {
        ASSERT_TRUE(write(text, (folder / "a.txt").string(), "", TextEncoding::utf8, piece)) << failure.reason;
        EXPECT_EQ(read_file(folder / "Tessaline" / "a.txt"), "한글 문장\r\n둘째 줄\r\n" + footer_for_today());
        EXPECT_EQ(head, cp949("한글 문장\r\n둘째 줄\r\n") + footer_for_today());
    }
}

TEST_F(ResultWriterTest, AUtf8ResultGetsBackTheCharactersOfTheStandInsWhateverThePieces) {
    StandInTable table;
    std::string stand_ins;
    table.append(U'—', stand_ins);
    table.append(U'😀', stand_ins);
    std::string text = cp949("가") + stand_ins + cp949("나");
    for (size_t piece : {size_t{1}, size_t{3}, text.size()}) {
        ASSERT_TRUE(write(text, (folder / "a.txt").string(), "", TextEncoding::utf8, piece, &table)) << failure.reason;
        EXPECT_EQ(read_file(folder / "Tessaline" / "a.txt"), "가—😀나\r\n" + footer_for_today())
            << "pieces of " << piece;
    }
}

TEST_F(ResultWriterTest, StandardOutputGetsTheFileBytesAndNoFolderIsMade) {
    fs::path captured = folder / "stdout";
    std::fflush(stdout);
    int saved = dup(STDOUT_FILENO);
    FILE* file = std::fopen(captured.c_str(), "wb");
    dup2(fileno(file), STDOUT_FILENO);
    DirectOutput standard_output;
    ResultWriter writer(TextEncoding::cp949, nullptr, preview_limit_last);
    writer.open_shared(standard_output);
    std::string text = cp949("표준 출력");
    writer.write({bytes_of(text), text.size()});
    bool written = writer.finish(failure);
    dup2(saved, STDOUT_FILENO);
    close(saved);
    std::fclose(file);
    ASSERT_TRUE(written) << failure.reason;
    EXPECT_EQ(read_file(captured), cp949("표준 출력") + "\r\n" + footer_for_today());
    EXPECT_FALSE(fs::exists(folder / "Tessaline"));
}

TEST_F(ResultWriterTest, AResultKeptInMemoryIsTheFileResult) {
    StandInTable table;
    std::string stand_in;
    table.append(U'😀', stand_in);
    std::string text = cp949("첫 줄 ") + stand_in + "\r\n" + std::string(100000, 'a') + cp949(" 끝");
    for (TextEncoding encoding : {TextEncoding::utf8, TextEncoding::cp949}) {
        const StandInTable* stand_ins = encoding == TextEncoding::utf8 ? &table : nullptr;
        ASSERT_TRUE(write(text, (folder / "a.txt").string(), "", encoding, 7, stand_ins)) << failure.reason;
        for (size_t piece : {size_t{7}, text.size()}) {
            MemoryOutput memory;
            ResultWriter writer(encoding, stand_ins, preview_limit_last);
            writer.open_shared(memory);
            in_pieces(text, piece, [&](const unsigned char* bytes, size_t count) { writer.write({bytes, count}); });
            ASSERT_TRUE(writer.finish(failure)) << failure.reason;
            EXPECT_EQ(memory.bytes_, read_file(folder / "Tessaline" / "a.txt")) << "pieces of " << piece;
        }
    }
}

}  // namespace

}  // namespace tessaline
