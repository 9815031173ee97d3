// The command line as a person sees it on a terminal: a pseudo-terminal of a chosen width.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "cli/progress_line.h"
#include "tests/support/cli_run.h"
#include "tests/support/cp949.h"

namespace tessaline {

namespace fs = std::filesystem;

namespace {

const std::string novel_text = "그는 오래된 골목길을 따라 천천히 걸어가면서 옛날 생각에\n잠겨 있었다.\n";

// The pieces of terminal output between carriage returns and line feeds, each as it stands on
// the screen.
std::vector<std::string> screen_pieces(const std::string& shown) {
    std::vector<std::string> pieces;
    std::string piece;
    for (char c : shown) {
        if (c != '\r' && c != '\n') {
            piece += c;
            continue;
        }
        if (!piece.empty()) pieces.push_back(piece);
        piece.clear();
    }
    if (!piece.empty()) pieces.push_back(piece);
    return pieces;
}

bool starts_with(const std::string& text, const std::string& opening) { return text.rfind(opening, 0) == 0; }

class CliTerminalTest : public CliTest {
protected:
    void SetUp() override {
        CliTest::SetUp();
        for (const char* name : {"첫째 권: 바다로 가는 길의 긴 이야기.txt", "둘째 권.txt", "셋째 권.txt"})
            write_file(work / "books" / name, cp949(novel_text));
    }
};

TEST_F(CliTerminalTest, ProgressIsOneLineRedrawnWithinFortyColumns) {
    const int columns = 40;
    CliResult result = run_on_terminal({"books"}, columns);
    EXPECT_EQ(result.status, 0) << result.out;
    std::vector<std::string> pieces = screen_pieces(result.out);
    ASSERT_FALSE(pieces.empty());
    int last_index = 0;
    // Every piece but the summary is drawn in place, so none may reach the last column.
    for (size_t k = 0; k + 1 < pieces.size(); ++k) {
        const std::string& piece = pieces[k];
        EXPECT_LT(display_columns(piece), static_cast<size_t>(columns)) << piece;
        if (!starts_with(piece, "[")) continue;
        int index = piece[1] - '0';
        EXPECT_TRUE(starts_with(piece, "[" + std::to_string(index) + "/3] ")) << piece;
        EXPECT_GE(index, last_index) << "files are counted up, one by one";
        last_index = index;
    }
    EXPECT_EQ(last_index, 3);
    // The progress line is drawn over itself: the only line feed ends the summary.
    EXPECT_EQ(std::count(result.out.begin(), result.out.end(), '\n'), 1) << result.out;
    EXPECT_TRUE(starts_with(pieces.back(), "3 converted, 0 failed, 0.0 MB in ")) << pieces.back();
    EXPECT_TRUE(contains(pieces.back(), "The results are saved in the Tessaline folders.")) << pieces.back();
}

TEST_F(CliTerminalTest, TheSummaryNamesEveryFileThatWasNotConvertedWithItsReason) {
    fs::create_directories(work / "empty");
    CliResult result = run_on_terminal({"books", "missing.txt", "empty"}, 100);
    EXPECT_EQ(result.status, 1);
    std::vector<std::string> pieces = screen_pieces(result.out);
    auto heading = std::find(pieces.begin(), pieces.end(), "Not converted:");
    ASSERT_NE(heading, pieces.end()) << result.out;
    ASSERT_EQ(pieces.end() - heading, 4) << result.out;
    EXPECT_EQ(heading[1], "  'missing.txt' cannot be opened: No such file or directory");
    EXPECT_EQ(heading[2], "  'empty' holds nothing to convert (no text files)");
    EXPECT_TRUE(starts_with(heading[3], "3 converted, 2 failed, ")) << heading[3];
}

TEST_F(CliTerminalTest, QuietShowsNothingButTheFailures) {
    CliResult result = run_on_terminal({"-q", "books", "missing.txt"}, 80);
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(screen_pieces(result.out),
              std::vector<std::string>{"tessaline: 'missing.txt' cannot be opened: No such file or directory"});
}

TEST_F(CliTerminalTest, ResultsOnTheTerminalAreNotTornByAProgressLine) {
    CliResult result = run_on_terminal({"--stdout", "--no-footer", "books/둘째 권.txt"}, 80);
    EXPECT_EQ(result.status, 0);
    EXPECT_FALSE(contains(result.out, "[1/1]")) << result.out;
    EXPECT_FALSE(contains(result.out, "converted")) << result.out;
}

TEST_F(CliTerminalTest, WithoutAPathOnATerminalTheUsageIsShown) {
    CliResult result = run_on_terminal({}, 80);
    EXPECT_EQ(result.status, 2);
    EXPECT_TRUE(contains(result.out, "Usage: tessaline [OPTIONS] [PATH...]")) << result.out;
    EXPECT_TRUE(contains(result.out, "--help")) << result.out;
}

TEST_F(CliTerminalTest, AKoreanLocaleHearsKoreanOnly) {
    CliResult result = run_on_terminal({"books", "missing.txt"}, 100, {"LANG=ko_KR.UTF-8"});
    EXPECT_EQ(result.status, 1);
    std::vector<std::string> pieces = screen_pieces(result.out);
    ASSERT_GE(pieces.size(), 3u);
    EXPECT_EQ(pieces[pieces.size() - 3], "변환하지 못한 파일:");
    EXPECT_EQ(pieces[pieces.size() - 2], "  'missing.txt' 파일을 열 수 없습니다: 그런 파일이나 폴더가 없습니다");
    EXPECT_TRUE(starts_with(pieces.back(), "3개 변환, 1개 실패, 0.0 MB, ")) << pieces.back();
    EXPECT_TRUE(contains(pieces.back(), "Tessaline 폴더에 저장되었습니다.")) << pieces.back();
    EXPECT_FALSE(contains(result.out, "자장"));

    for (const char* locale : {"LC_ALL=ko_KR.UTF-8", "LC_MESSAGES=ko_KR.eucKR"}) {
        CliResult usage = run({"-m", "abc", "books"}, "", {locale});
        EXPECT_EQ(usage.status, 2);
        EXPECT_EQ(usage.err,
                  "tessaline: --min-length에는 0부터 9999까지의 정수를 주어야 합니다: 'abc'\n"
                  "자세한 내용은 'tessaline --help'를 보십시오.\n")
            << locale;
    }
    EXPECT_TRUE(starts_with(run({"-m", "abc", "books"}, "", {"LANG=ko_KR.UTF-8", "LC_ALL=en_US.UTF-8"}).err,
                            "tessaline: --min-length takes a whole number"))
        << "LC_ALL goes before LANG";
}

}  // namespace

}  // namespace tessaline
