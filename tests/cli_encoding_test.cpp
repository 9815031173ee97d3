// The command line writes what it read: every character back in UTF-8, and where CP949 must be
// written, a warning that says what it could not keep.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "tests/support/cli_run.h"
#include "tests/support/cp949.h"
#include "tests/support/unicode_text.h"

namespace tessaline {

namespace fs = std::filesystem;

namespace {

// Short lines, never joined, with characters across the planes.
const std::string test_characters =
    "대시 — 와 – 그리고 ― 표시\r\n"
    "글머리 • 와 · 그리고 ※ 기호\r\n"
    "악상 é 와 e\u0301 그리고 Å\r\n"
    "그림 😀 ❤️ 👍🏽 👨‍👩‍👧 🇰🇷\r\n"
    "확장 𠀀 𝄞 们 漢字\r\n"
    "옛글 ᄀᆞ ᅀᅌ\r\n"
    "사용자 \uE000 \uE0BB 끝\r\n";

const std::string footer_start = "\r\n\r\n\r\n[modify by Tessaline  beta2 ver 2010.7.7]";

std::string read_file(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::string without_footer(const std::string& result) { return result.substr(0, result.rfind(footer_start)); }

bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

class CliEncodingTest : public ::testing::Test {
protected:
    fs::path work;

    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "tessaline-encoding-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        work = pattern;
    }
    void TearDown() override { fs::remove_all(work); }

    void write(const std::string& name, const std::string& bytes) {
        std::ofstream(work / name, std::ios::binary) << bytes;
    }
};

TEST_F(CliEncodingTest, EveryCharacterComesBackFromEveryEncodingInUtf8) {
    struct Case {
        const char* what;
        std::string bytes;
    } cases[] = {
        {"UTF-8", test_characters},
        {"UTF-8 with its mark", utf8_mark + test_characters},
        {"UTF-16LE", utf16le(test_characters)},
        {"UTF-16LE with its mark", utf16le_mark + utf16le(test_characters)},
        {"UTF-16BE", utf16be(test_characters)},
        {"UTF-16BE with its mark", utf16be_mark + utf16be(test_characters)},
    };
    for (const auto& c : cases) {
        write("novel.txt", c.bytes);
        // The rules keep every line of this table as it stands, so only the characters are compared.
        CliRun run = run_cli(work, {"--joints", "rules", "novel.txt"});
        EXPECT_EQ(run.status, 0) << c.what << ": " << run.err;
        EXPECT_FALSE(contains(run.err, "tessaline:")) << c.what << ": " << run.err;
        EXPECT_EQ(without_footer(read_file(work / "Tessaline" / "novel.txt")), test_characters) << c.what;
    }
}

TEST_F(CliEncodingTest, Cp949OutputNamesTheFileHowManyAndWhich) {
    write("novel.txt", "가—나—다😀\r\n");
    CliRun run = run_cli(work, {"--output-encoding", "CP949", "novel.txt"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(utf8(without_footer(read_file(work / "Tessaline" / "novel.txt"))), "가?나?다?\r\n");
    EXPECT_TRUE(contains(run.err,
                         "tessaline: 'novel.txt' holds 3 characters that CP949 lacks, written as \"?\": "
                         "— ×2, 😀 ×1; --output-encoding utf-8 keeps them\n"))
        << run.err;
    CliRun quiet = run_cli(work, {"-q", "--output-encoding", "cp949", "novel.txt"});
    EXPECT_TRUE(contains(quiet.err, "holds 3 characters")) << "a loss is told even under --quiet";
}

TEST_F(CliEncodingTest, Cp949InputStaysCp949AndUtf16BecomesUtf8WithItsLineEnds) {
    write("old.txt", cp949("옛 소설\r\n"));
    write("wide.txt", utf16le("넓은 소설\r\n"));
    ASSERT_EQ(run_cli(work, {"old.txt", "wide.txt"}).status, 0);
    EXPECT_EQ(without_footer(read_file(work / "Tessaline" / "old.txt")), cp949("옛 소설\r\n"));
    EXPECT_EQ(without_footer(read_file(work / "Tessaline" / "wide.txt")), "넓은 소설\r\n");
}

TEST_F(CliEncodingTest, BadBytesAreCountedWithTheFirstOffset) {
    std::string before = "첫째 줄의 문장이 이어지고 둘째 줄의 문장도 이어지고";
    write("novel.txt", before + "\xFF 끝난다.\r\n");
    CliRun run = run_cli(work, {"--stdout", "novel.txt"});
    EXPECT_EQ(run.status, 0);
    EXPECT_TRUE(contains(run.out, before + "\uFFFD 끝난다.")) << run.out;
    EXPECT_TRUE(contains(run.err, "'novel.txt' has 1 byte that is not UTF-8 (at byte " + std::to_string(before.size()) +
                                      "), written as U+FFFD"))
        << run.err;
}

TEST_F(CliEncodingTest, StandardInputGetsTheSameDetectionAndWarnings) {
    CliRun run = run_cli(work, {"--stdout", "-"}, utf16be("표준 입력 — 끝\r\n"));
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(without_footer(run.out), "표준 입력 — 끝\r\n");
    CliRun as_cp949 = run_cli(work, {"--stdout", "--output-encoding", "cp949", "-"}, "표준 — 입력\r\n");
    EXPECT_TRUE(contains(as_cp949.err, "tessaline: '-' holds 1 character that CP949 lacks")) << as_cp949.err;
}

TEST_F(CliEncodingTest, FilesThatAreNotTextAreRefusedAndTheRestConverted) {
    write("picture.txt", std::string("\x89PNG\r\n\x1A\n\0\0\0\x0DIHDR", 16) + std::string(64, '\0'));
    write("novel.txt", "소설\r\n");
    CliRun run = run_cli(work, {"picture.txt", "novel.txt"});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(contains(run.err, "picture.txt' is not text: it begins like a PNG image")) << run.err;
    EXPECT_FALSE(fs::exists(work / "Tessaline" / "picture.txt"));
    EXPECT_TRUE(fs::exists(work / "Tessaline" / "novel.txt"));
}

TEST_F(CliEncodingTest, EncodingNamesAreTheOnesPeopleUseAndUnknownOnesAreListed) {
    write("novel.txt", cp949("소설\r\n"));
    for (const char* name : {"euc-kr", "EUC-KR", "uhc", "ms949", "ks_c_5601-1987", "CP949"})
        EXPECT_EQ(run_cli(work, {"--stdout", "--input-encoding", name, "novel.txt"}).status, 0) << name;
    CliRun unknown = run_cli(work, {"--input-encoding", "latin1", "novel.txt"});
    EXPECT_EQ(unknown.status, 2);
    EXPECT_TRUE(contains(unknown.err,
                         "unknown input encoding 'latin1' (auto, cp949, uhc, ms949, euc-kr, "
                         "ks_c_5601-1987, utf-8, utf8, utf-16le, utf-16be, utf-16)"))
        << unknown.err;
    CliRun unknown_output = run_cli(work, {"--output-encoding", "utf-16", "novel.txt"});
    EXPECT_EQ(unknown_output.status, 2);
    EXPECT_TRUE(contains(unknown_output.err, "(same, cp949, utf-8, utf8)")) << unknown_output.err;
}

}  // namespace

}  // namespace tessaline
