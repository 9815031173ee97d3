// Runs the real tessaline binary on temporary folders.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/cp949.h"

namespace fs = std::filesystem;

namespace {

// A paragraph cut in two long lines, a short line that only joins when the minimum length
// allows it, and a Hanja gloss.
const std::string NOVEL =
    "그는 오래된 골목길을 따라 천천히 걸어가면서 옛날 생각에\n"
    "잠겨 있었다. 어린 시절의 기억이 하나둘 떠올랐다.\n"
    "한자(漢字) 공부를 하던 시절이 떠올랐다.\n";
const std::string SHORT_LINES = "첫 줄은 여기서\n끝나지 않고 이어진다.\n";

struct CliResult {
    int status;
    std::string out;
    std::string err;
};

std::string read_file(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void write_file(const fs::path& path, const std::string& bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

class CliTest : public ::testing::Test {
protected:
    fs::path root;
    fs::path work;      // the folder the command runs in
    fs::path io;        // standard input, output and error of the command, kept out of `work`

    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "tessaline-cli-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        root = pattern;
        work = root / "work";
        io = root / "io";
        fs::create_directories(work);
        fs::create_directories(io);
    }

    void TearDown() override {
        std::error_code ignored;
        fs::permissions(root, fs::perms::all, ignored);
        fs::remove_all(root, ignored);
    }

    // Runs the command line; a non-zero `address_space` limits the memory it may map, in bytes.
    CliResult run(const std::vector<std::string>& args, const std::string& input = "", rlim_t address_space = 0) {
        const char* cli = std::getenv("TESSALINE_CLI");
        EXPECT_NE(cli, nullptr) << "TESSALINE_CLI is not set";
        if (cli == nullptr) return {-1, "", ""};
        write_file(io / "in", input);
        std::vector<char*> argv{const_cast<char*>(cli)};
        for (const auto& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
        argv.push_back(nullptr);
        pid_t child = fork();
        if (child == 0) {
            if (chdir(work.c_str()) != 0) _exit(127);
            rlimit limit{address_space, address_space};
            if (address_space != 0 && setrlimit(RLIMIT_AS, &limit) != 0) _exit(127);
            dup2(open((io / "in").c_str(), O_RDONLY), 0);
            dup2(open((io / "out").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), 1);
            dup2(open((io / "err").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), 2);
            execv(cli, argv.data());
            _exit(127);
        }
        int status = 0;
        waitpid(child, &status, 0);
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, read_file(io / "out"), read_file(io / "err")};
    }

    // The converted bytes of a CP949 text, as the command line writes them to standard output.
    std::string converted(const std::string& cp949_text, const std::vector<std::string>& options = {}) {
        write_file(io / "reference.txt", cp949_text);
        std::vector<std::string> args = options;
        args.push_back("--stdout");
        args.push_back((io / "reference.txt").string());
        CliResult result = run(args);
        EXPECT_EQ(result.status, 0) << result.err;
        return result.out;
    }
};

bool ends_with_footer(const std::string& bytes) {
    size_t footer = bytes.rfind("\r\n\r\n\r\n[modify by Tessaline  beta2 ver 2010.7.7]\r\n[Text modified date: ");
    return footer != std::string::npos && bytes.size() > 3 && bytes.compare(bytes.size() - 3, 3, "]\r\n") == 0;
}

TEST_F(CliTest, ConvertsAFileIntoTheTessalineFolderBesideIt) {
    write_file(work / "books" / "novel.txt", cp949(NOVEL));
    CliResult result = run({"books/novel.txt"});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "");
    std::string written = read_file(work / "books" / "Tessaline" / "novel.txt");
    EXPECT_TRUE(ends_with_footer(written));
    EXPECT_TRUE(contains(utf8(written), "생각에 잠겨 있었다.")) << utf8(written);
    // The completion message in the terminal's encoding, and no progress line off a terminal.
    EXPECT_TRUE(contains(result.err, "1개 파일 처리완료.\nTessaline 폴더에 자장되었습니다.")) << result.err;
    EXPECT_FALSE(contains(result.err, "\r"));
}

TEST_F(CliTest, FileInTheCurrentFolderGoesToItsTessalineFolder) {
    write_file(work / "novel.txt", cp949(NOVEL));
    EXPECT_EQ(run({"novel.txt"}).status, 0);
    EXPECT_TRUE(ends_with_footer(read_file(work / "Tessaline" / "novel.txt")));
}

TEST_F(CliTest, StdoutCarriesExactlyWhatTheFileWouldHold) {
    write_file(work / "novel.txt", cp949(NOVEL));
    CliResult to_stdout = run({"--stdout", "novel.txt"});
    EXPECT_EQ(to_stdout.status, 0) << to_stdout.err;
    EXPECT_FALSE(fs::exists(work / "Tessaline"));
    EXPECT_FALSE(contains(to_stdout.err, "Tessaline 폴더")) << "nothing was saved there";
    EXPECT_TRUE(contains(to_stdout.err, "1개 파일 처리완료."));
    ASSERT_EQ(run({"novel.txt"}).status, 0);
    EXPECT_EQ(to_stdout.out, read_file(work / "Tessaline" / "novel.txt"));
}

TEST_F(CliTest, StandardInputIsConvertedToStandardOutput) {
    CliResult result = run({"--stdout", "-"}, cp949(NOVEL));
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, converted(cp949(NOVEL)));
}

TEST_F(CliTest, UsageErrorsExitWithTwoAndConvertNothing) {
    write_file(work / "novel.txt", cp949(NOVEL));
    const std::vector<std::vector<std::string>> cases = {
        {},
        {"-"},
        {"--stdout", "-", "-"},
        {"--bogus", "novel.txt"},
        {"-x", "novel.txt"},
        {"novel.txt", "-m"},
        {"--quiet=yes", "novel.txt"},
        {"--input-encoding", "latin1", "novel.txt"},
        {"--output-encoding=utf-16le", "novel.txt"},
        {"--stdout", "-o", "out", "novel.txt"},
        {"-o", "", "novel.txt"},
        {"-j", "0", "novel.txt"},
        {"--jobs=x", "novel.txt"},
        {"-j", "-"},
    };
    for (const auto& args : cases) {
        CliResult result = run(args);
        std::string shown = args.empty() ? "(none)" : args[0] + (args.size() > 1 ? " " + args[1] : "");
        EXPECT_EQ(result.status, 2) << shown;
        EXPECT_EQ(result.out, "") << shown;
        EXPECT_EQ(result.err.compare(0, 11, "tessaline: "), 0) << shown << ": " << result.err;
        EXPECT_TRUE(contains(result.err, "--help")) << shown;
    }
    EXPECT_FALSE(fs::exists(work / "Tessaline"));
    EXPECT_FALSE(fs::exists(work / "out"));
}

TEST_F(CliTest, MissingFileIsNamedAndTheOthersAreStillConverted) {
    write_file(work / "novel.txt", cp949(NOVEL));
    CliResult result = run({"missing.txt", "novel.txt"});
    EXPECT_EQ(result.status, 1);
    EXPECT_TRUE(contains(result.err, "tessaline: 'missing.txt' cannot be opened: No such file or directory"))
        << result.err;
    EXPECT_TRUE(fs::exists(work / "Tessaline" / "novel.txt"));
}

TEST_F(CliTest, UnreadableFileIsNamedWithTheReason) {
    write_file(work / "novel.txt", cp949(NOVEL));
    CliResult not_a_folder = run({"novel.txt/"});
    EXPECT_EQ(not_a_folder.status, 1);
    EXPECT_TRUE(contains(not_a_folder.err, "'novel.txt/' cannot be opened: Not a directory")) << not_a_folder.err;

    if (geteuid() == 0) GTEST_SKIP() << "permissions do not stop root";
    write_file(work / "secret.txt", cp949(NOVEL));
    fs::permissions(work / "secret.txt", fs::perms::none);
    CliResult result = run({"secret.txt"});
    EXPECT_EQ(result.status, 1);
    EXPECT_TRUE(contains(result.err, "'secret.txt'")) << result.err;
    EXPECT_TRUE(contains(result.err, "Permission denied")) << result.err;
}

TEST_F(CliTest, FileOfAFolderThatCannotBeOpenedIsNamed) {
    write_file(work / "books" / "a.txt", cp949(NOVEL));
    fs::create_symlink("nowhere", work / "books" / "b.txt");
    CliResult result = run({"books"});
    EXPECT_EQ(result.status, 1);
    EXPECT_TRUE(contains(result.err, "'books/b.txt' cannot be opened: No such file or directory")) << result.err;
    EXPECT_TRUE(fs::exists(work / "books" / "Tessaline" / "a.txt"));
}

TEST_F(CliTest, KoreanNamesOfFailedFilesReadAsTheyAreSpelt) {
    write_file(work / "books" / "a.txt", cp949(NOVEL));
    fs::create_symlink("nowhere", work / "books" / "등대섬.txt");
    CliResult result = run({"books"});
    EXPECT_EQ(result.status, 1);
    EXPECT_TRUE(contains(result.err, "'books/등대섬.txt' cannot be opened")) << result.err;
    EXPECT_TRUE(contains(result.err, "1개 파일 처리실패:\n등대섬.txt")) << result.err;
}

TEST_F(CliTest, OutputThatCannotBeWrittenIsNamed) {
    write_file(work / "novel.txt", cp949(NOVEL));
    write_file(work / "Tessaline", "in the way");
    CliResult result = run({"novel.txt"});
    EXPECT_EQ(result.status, 1);
    EXPECT_TRUE(contains(result.err, "'Tessaline/novel.txt'")) << result.err;
    EXPECT_EQ(read_file(work / "Tessaline"), "in the way");
}

TEST_F(CliTest, FolderConvertsTheTextFilesDirectlyInIt) {
    for (const char* name : {"a.txt", "b.TXT", "mytxt", "c.doc", "sub/d.txt"})
        write_file(work / "books" / name, cp949(NOVEL));
    CliResult result = run({"books/"});
    EXPECT_EQ(result.status, 0) << result.err;
    std::vector<std::string> written;
    for (const auto& entry : fs::directory_iterator(work / "books" / "Tessaline"))
        written.push_back(entry.path().filename().string());
    std::sort(written.begin(), written.end());
    EXPECT_EQ(written, (std::vector<std::string>{"a.txt", "b.TXT", "mytxt"}));
    EXPECT_FALSE(fs::exists(work / "books" / "sub" / "Tessaline"));
    EXPECT_TRUE(contains(result.err, "3개 파일 처리완료.")) << result.err;
}

TEST_F(CliTest, FolderWhoseNamesOverflowOneSelectionIsConvertedWhole) {
    const int files = 450;   // 450 names of 240 bytes do not fit in one 100000-byte selection
    for (int k = 0; k < files; ++k) {
        std::string number = std::to_string(1000 + k);
        write_file(work / "many" / (std::string(232, 'n') + number + ".txt"), cp949("짧은 글이다.\n"));
    }
    CliResult result = run({"-q", "many"});
    EXPECT_EQ(result.status, 0) << result.err;
    auto written = std::distance(fs::directory_iterator(work / "many" / "Tessaline"), fs::directory_iterator());
    EXPECT_EQ(written, files);
}

TEST_F(CliTest, RecursiveRunConvertsEverySubfolderButNotEarlierResults) {
    write_file(work / "books" / "a.txt", cp949(NOVEL));
    write_file(work / "books" / "sub" / "deeper" / "d.txt", cp949(NOVEL));
    for (int round = 0; round < 2; ++round) {
        CliResult result = run({"-r", "books"});
        EXPECT_EQ(result.status, 0) << result.err;
    }
    EXPECT_TRUE(fs::exists(work / "books" / "Tessaline" / "a.txt"));
    EXPECT_TRUE(fs::exists(work / "books" / "sub" / "deeper" / "Tessaline" / "d.txt"));
    EXPECT_FALSE(fs::exists(work / "books" / "Tessaline" / "Tessaline"));
    EXPECT_FALSE(fs::exists(work / "books" / "sub" / "deeper" / "Tessaline" / "Tessaline"));
}

TEST_F(CliTest, FileNamedExplicitlyIsConvertedWhateverItsName) {
    write_file(work / "notes.doc", cp949(NOVEL));
    write_file(work / "novel.txt", cp949(NOVEL));
    CliResult result = run({"notes.doc", "novel.txt"});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_TRUE(fs::exists(work / "Tessaline" / "notes.doc"));
    EXPECT_TRUE(fs::exists(work / "Tessaline" / "novel.txt"));
}

TEST_F(CliTest, FilesOfSeveralFoldersAreOneBatchInTheOrderGiven) {
    const std::vector<std::pair<std::string, std::string>> files = {
        {"a/x.txt", "첫째 소설이다."}, {"b/z.txt", "둘째 소설이다."}, {"a/y.txt", "셋째 소설이다."}};
    std::string expected;
    for (const auto& [name, text] : files) {
        write_file(work / name, cp949(text));
        expected += converted(cp949(text));
    }
    CliResult result = run({"a/x.txt", "b/z.txt", "a/y.txt"});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.err, "3개 파일 처리완료.\nTessaline 폴더에 자장되었습니다.\n");
    for (const char* name : {"a/Tessaline/x.txt", "a/Tessaline/y.txt", "b/Tessaline/z.txt"})
        EXPECT_TRUE(fs::exists(work / name)) << name;

    CliResult in_order = run({"--stdout", "a/x.txt", "b/z.txt", "a/y.txt"});
    EXPECT_EQ(in_order.status, 0) << in_order.err;
    EXPECT_EQ(utf8(in_order.out), utf8(expected));
}

TEST_F(CliTest, FilesConvertedAtOnceComeOutInTheOrderOfOneAtATime) {
    for (int k = 0; k < 12; ++k) {
        std::string text;
        for (int line = 0; line < (k % 3 == 0 ? 3000 : 2); ++line) text += NOVEL;
        write_file(work / "books" / ("novel" + std::to_string(10 + k) + ".txt"), cp949(text));
    }
    fs::create_symlink("nowhere", work / "books" / "novel15b.txt");
    CliResult one_at_a_time = run({"-j", "1", "--stdout", "books"});
    EXPECT_EQ(one_at_a_time.status, 1);
    EXPECT_TRUE(contains(one_at_a_time.err, "'books/novel15b.txt' cannot be opened")) << one_at_a_time.err;
    for (const char* jobs : {"2", "5"}) {
        CliResult at_once = run({"--jobs", jobs, "--stdout", "books"});
        EXPECT_EQ(at_once.status, 1);
        EXPECT_EQ(at_once.err, one_at_a_time.err) << jobs << " at once";
        EXPECT_TRUE(at_once.out == one_at_a_time.out) << jobs << " at once";
    }
}

// Address sanitizer maps more memory than any limit would leave.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool MEMORY_CAN_BE_LIMITED = false;
#elif defined(__has_feature)
constexpr bool MEMORY_CAN_BE_LIMITED = !__has_feature(address_sanitizer);
#else
constexpr bool MEMORY_CAN_BE_LIMITED = true;
#endif

TEST_F(CliTest, AFileTooLargeForTheMemoryFailsAloneAndTheBatchGoesOn) {
    if (!MEMORY_CAN_BE_LIMITED) GTEST_SKIP() << "the address sanitizer needs more memory than the limit";
    // One paragraph of 24 MB cannot be converted within 32 MB; short novels can.
    const rlim_t limit = rlim_t{32} << 20;
    std::string line;
    while (line.size() < (size_t{24} << 20)) line += cp949("가나다라마바사 ");
    write_file(work / "a.txt", cp949(NOVEL));
    write_file(work / "huge.txt", line);
    write_file(work / "c.txt", cp949(NOVEL));
    for (const char* jobs : {"1", "2"}) {
        fs::remove_all(work / "Tessaline");
        CliResult result = run({"-j", jobs, "a.txt", "huge.txt", "c.txt"}, "", limit);
        EXPECT_EQ(result.status, 1) << result.err;
        EXPECT_TRUE(contains(result.err, "tessaline: 'huge.txt' cannot be converted: out of memory")) << result.err;
        EXPECT_TRUE(contains(result.err, "2개 파일 처리완료.")) << result.err;
        EXPECT_TRUE(ends_with_footer(read_file(work / "Tessaline" / "a.txt"))) << jobs;
        EXPECT_TRUE(ends_with_footer(read_file(work / "Tessaline" / "c.txt"))) << jobs;
        std::vector<std::string> left;
        for (const auto& entry : fs::directory_iterator(work / "Tessaline")) left.push_back(entry.path().filename());
        std::sort(left.begin(), left.end());
        EXPECT_EQ(left, (std::vector<std::string>{"a.txt", "c.txt"})) << "no result and no temporary file of huge.txt";
    }
}

TEST_F(CliTest, OptionsReachEveryFolderOfOneCommand) {
    write_file(work / "a" / "x.txt", cp949(NOVEL));
    write_file(work / "b" / "x.txt", cp949(NOVEL));
    ASSERT_EQ(run({"--mark-joins", "--remove-hanja", "a/x.txt", "b/x.txt"}).status, 0);
    for (const char* name : {"a/Tessaline/x.txt", "b/Tessaline/x.txt"}) {
        std::string text = utf8(read_file(work / name));
        EXPECT_TRUE(contains(text, "생각에` 잠겨")) << name << ": " << text;
        EXPECT_FALSE(contains(text, "漢字")) << name;
    }
    EXPECT_FALSE(contains(converted(cp949(NOVEL)), "`")) << "the join mark is off by default";
}

std::string repeated(const std::string& text, int times) {
    std::string result;
    for (int k = 0; k < times; ++k) result += (k == 0 ? "" : " ") + text;
    return result;
}

size_t line_count(const std::string& text) { return static_cast<size_t>(std::count(text.begin(), text.end(), '\n')); }

TEST_F(CliTest, TheWindowsCheckedOptionsCanBeTurnedOff) {
    const std::string sentence = "그는 오래된 골목길을 따라 천천히 걸어가면서 옛날 생각에 잠겨 있었다.";
    std::string long_paragraph = cp949(repeated(sentence, 6) + "\n어린 시절의 기억이 하나둘 떠올랐다. 그리고 웃었다.\n");
    EXPECT_TRUE(contains(converted(long_paragraph), cp949("있었다.\r\n\r\n어린")));
    EXPECT_TRUE(contains(converted(long_paragraph, {"--no-blank-after-long"}), cp949("있었다.\r\n어린")));

    std::string very_long_lines = cp949(repeated(repeated(sentence, 20) + "\n", 3));
    size_t split = line_count(converted(very_long_lines));
    size_t unsplit = line_count(converted(very_long_lines, {"--no-split-long", "--no-blank-after-long"}));
    EXPECT_GT(split, unsplit + 20) << "very long paragraphs are split at sentence ends by default";
}

TEST_F(CliTest, MinimumLengthIsReadLikeTheWindowsField) {
    std::string text = cp949(SHORT_LINES);
    std::string unlimited = converted(text, {"-m", "0"});
    EXPECT_NE(unlimited, converted(text)) << "the default 15 keeps the short line";
    EXPECT_EQ(converted(text, {"--min-length=15"}), converted(text));
    EXPECT_EQ(converted(text, {"-m", "abc"}), unlimited);
    EXPECT_EQ(converted(text, {"-m", " 3x"}), converted(text, {"-m3"}));
}

TEST_F(CliTest, UnmarkedUtf8InputIsDecodedAndWrittenBackInUtf8UnlessCp949IsForced) {
    write_file(work / "utf8.txt", NOVEL);
    CliResult automatic = run({"--stdout", "utf8.txt"});
    EXPECT_EQ(automatic.status, 0) << automatic.err;
    EXPECT_EQ(automatic.out, utf8(converted(cp949(NOVEL))));
    EXPECT_EQ(run({"--stdout", "--input-encoding", "utf-8", "utf8.txt"}).out, automatic.out);
    EXPECT_EQ(run({"--stdout", "--output-encoding", "cp949", "utf8.txt"}).out, converted(cp949(NOVEL)));
    CliResult as_cp949 = run({"--stdout", "--input-encoding=cp949", "utf8.txt"});
    EXPECT_EQ(as_cp949.status, 0) << as_cp949.err;
    EXPECT_TRUE(contains(as_cp949.out, "골목길을")) << "UTF-8 bytes that pair as CP949 are taken as they are";
    EXPECT_TRUE(contains(as_cp949.err, "'utf8.txt' has ")) << as_cp949.err;
    EXPECT_TRUE(contains(as_cp949.err, "that are not CP949 text")) << as_cp949.err;
}

TEST_F(CliTest, Utf8OutputIsTheSameResultInUtf8) {
    write_file(work / "novel.txt", cp949(NOVEL));
    ASSERT_EQ(run({"--output-encoding", "utf-8", "novel.txt"}).status, 0);
    std::string written = read_file(work / "Tessaline" / "novel.txt");
    EXPECT_EQ(written, utf8(converted(cp949(NOVEL))));
    EXPECT_NE(written.compare(0, 3, "\xEF\xBB\xBF"), 0) << "no byte-order mark";
}

TEST_F(CliTest, OutputDirTakesTheResultsAndMirrorsSubfolders) {
    write_file(work / "books" / "a.txt", cp949(NOVEL));
    write_file(work / "books" / "sub" / "b.txt", cp949(NOVEL));
    CliResult result = run({"-r", "-o", "out/nested", "books"});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_TRUE(fs::exists(work / "out" / "nested" / "a.txt"));
    EXPECT_TRUE(fs::exists(work / "out" / "nested" / "sub" / "b.txt"));
    EXPECT_FALSE(fs::exists(work / "books" / "Tessaline"));
    EXPECT_FALSE(contains(result.err, "Tessaline 폴더")) << result.err;
}

TEST_F(CliTest, OutputDirNeverLetsOneResultReplaceAnotherOrItsInput) {
    write_file(work / "a" / "x.txt", cp949(NOVEL));
    write_file(work / "b" / "x.txt", cp949(SHORT_LINES));
    CliResult clash = run({"-o", "out", "a/x.txt", "b/x.txt", "a/x.txt"});
    EXPECT_EQ(clash.status, 1);
    EXPECT_TRUE(contains(clash.err, "'b/x.txt' is not converted")) << clash.err;
    EXPECT_EQ(read_file(work / "out" / "x.txt"), converted(cp949(NOVEL)));

    CliResult in_place = run({"-o", "a", "a/x.txt"});
    EXPECT_EQ(in_place.status, 1);
    EXPECT_TRUE(contains(in_place.err, "x.txt' would replace its own input file")) << in_place.err;
    EXPECT_EQ(read_file(work / "a" / "x.txt"), cp949(NOVEL));
}

TEST_F(CliTest, HelpListsEveryOptionWithItsDefault) {
    CliResult help = run({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.err, "");
    for (const char* option : {"-m, --min-length N", "--remove-hanja", "--no-blank-after-long", "--mark-joins",
                               "--no-split-long", "--vocabulary-joints", "--input-encoding", "--output-encoding",
                               "-o, --output-dir DIR", "-r, --recursive", "-j, --jobs N", "--stdout", "-q, --quiet",
                               "-h, --help",
                               "--version"})
        EXPECT_TRUE(contains(help.out, option)) << option;
    for (const char* default_value : {"(default: 15)", "(default: auto)", "(default: same"})
        EXPECT_TRUE(contains(help.out, default_value)) << default_value;
    EXPECT_EQ(run({"-h"}).out, help.out);
    CliResult version = run({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_TRUE(contains(version.out, "beta2"));
}

TEST_F(CliTest, QuietLeavesOnlyTheFailures) {
    write_file(work / "novel.txt", cp949(NOVEL));
    CliResult success = run({"-q", "novel.txt"});
    EXPECT_EQ(success.status, 0);
    EXPECT_EQ(success.err, "");
    CliResult failure = run({"-qr", "missing.txt"});
    EXPECT_EQ(failure.status, 1);
    EXPECT_TRUE(contains(failure.err, "'missing.txt'")) << failure.err;
}

}  // namespace
