// Runs the real tessaline binary on temporary folders.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/cli_run.h"
#include "tests/support/cp949.h"

namespace tessaline {

namespace fs = std::filesystem;

namespace {

// A paragraph cut in two long lines, a short line that only joins when the minimum length
// allows it, and a Hanja gloss.
const std::string novel_text =
    "그는 오래된 골목길을 따라 천천히 걸어가면서 옛날 생각에\n"
    "잠겨 있었다. 어린 시절의 기억이 하나둘 떠올랐다.\n"
    "한자(漢字) 공부를 하던 시절이 떠올랐다.\n";
const std::string short_lines = "첫 줄은 여기서\n끝나지 않고 이어진다.\n";

bool ends_with_footer(const std::string& bytes) {
    size_t footer = bytes.rfind("\r\n\r\n\r\n[modify by Tessaline  beta2 ver 2010.7.7]\r\n[Text modified date: ");
    return footer != std::string::npos && bytes.size() > 3 && bytes.compare(bytes.size() - 3, 3, "]\r\n") == 0;
}

TEST_F(CliTest, ConvertsAFileIntoTheTessalineFolderBesideIt) {
    write_file(work / "books" / "novel.txt", cp949(novel_text));
    CliResult result = run({"books/novel.txt"});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "");
    std::string written = read_file(work / "books" / "Tessaline" / "novel.txt");
    EXPECT_TRUE(ends_with_footer(written));
    EXPECT_TRUE(contains(utf8(written), "생각에 잠겨 있었다.")) << utf8(written);
    // Off a terminal nothing but errors is shown.
    EXPECT_EQ(result.err, "");
}

TEST_F(CliTest, FileInTheCurrentFolderGoesToItsTessalineFolder) {
    write_file(work / "novel.txt", cp949(novel_text));
    EXPECT_EQ(run({"novel.txt"}).status, 0);
    EXPECT_TRUE(ends_with_footer(read_file(work / "Tessaline" / "novel.txt")));
}

TEST_F(CliTest, StdoutCarriesExactlyWhatTheFileWouldHold) {
    write_file(work / "novel.txt", cp949(novel_text));
    CliResult to_stdout = run({"--stdout", "novel.txt"});
    EXPECT_EQ(to_stdout.status, 0) << to_stdout.err;
    EXPECT_FALSE(fs::exists(work / "Tessaline"));
    EXPECT_EQ(to_stdout.err, "");
    ASSERT_EQ(run({"novel.txt"}).status, 0);
    EXPECT_EQ(to_stdout.out, read_file(work / "Tessaline" / "novel.txt"));
}

TEST_F(CliTest, StandardInputIsConvertedToStandardOutput) {
    for (const auto& args : std::vector<std::vector<std::string>>{{"--stdout", "-"}, {}, {"--no-footer"}}) {
        CliResult result = run(args, cp949(novel_text));
        EXPECT_EQ(result.status, 0) << result.err;
        EXPECT_EQ(result.out, converted(cp949(novel_text),
                                        args.empty() || args[0] != "--no-footer" ? std::vector<std::string>{} : args));
    }
}

size_t footers_in(const std::string& bytes) {
    size_t count = 0;
    for (size_t at = bytes.find("[modify by Tessaline"); at != std::string::npos; at = bytes.find("[modify by", at + 1))
        ++count;
    return count;
}

TEST_F(CliTest, ConvertingAResultAgainReplacesItsFooterInsteadOfAddingOne) {
    write_file(work / "novel.txt", cp949(novel_text));
    ASSERT_EQ(run({"novel.txt"}).status, 0);
    std::string first = read_file(work / "Tessaline" / "novel.txt");
    ASSERT_EQ(footers_in(first), 1u);
    CliResult again = run({"--stdout", "Tessaline/novel.txt"});
    EXPECT_EQ(again.status, 0) << again.err;
    EXPECT_EQ(footers_in(again.out), 1u) << utf8(again.out);
    EXPECT_EQ(again.out, first) << "the text was already converted";

    CliResult bare = run({"--stdout", "--no-footer", "Tessaline/novel.txt"});
    EXPECT_EQ(footers_in(bare.out), 0u) << utf8(bare.out);
    EXPECT_EQ(bare.out, first.substr(0, first.find("\r\n\r\n\r\n[modify by")));
}

TEST_F(CliTest, AFolderWithNothingToConvertIsAFailure) {
    write_file(work / "books" / "notes.doc", cp949(novel_text));
    CliResult result = run({"books"});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, "tessaline: 'books' holds nothing to convert (no text files)\n");
    EXPECT_FALSE(fs::exists(work / "books" / "Tessaline"));
}

TEST_F(CliTest, UsageErrorsExitWithTwoAndConvertNothing) {
    write_file(work / "novel.txt", cp949(novel_text));
    const std::vector<std::vector<std::string>> cases = {
        {"-"},
        {"--stdout", "-", "-"},
        {"--bogus", "novel.txt"},
        {"-x", "novel.txt"},
        {"novel.txt", "-m"},
        {"--quiet=yes", "novel.txt"},
        {"--input-encoding", "latin1", "novel.txt"},
        {"--output-encoding=utf-16le", "novel.txt"},
        {"--joints", "words", "novel.txt"},
        {"novel.txt", "--joints"},
        {"--dictionary=", "novel.txt"},
        {"--stdout", "-o", "out", "novel.txt"},
        {"-o", "", "novel.txt"},
        {"-m", "abc", "novel.txt"},
        {"-m", "-5", "novel.txt"},
        {"-m", "99999999999", "novel.txt"},
        {"--min-length= 3x", "novel.txt"},
        {"-m10000", "novel.txt"},
        {"-o", "out"},
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
    write_file(work / "novel.txt", cp949(novel_text));
    CliResult result = run({"missing.txt", "novel.txt"});
    EXPECT_EQ(result.status, 1);
    EXPECT_TRUE(contains(result.err, "tessaline: 'missing.txt' cannot be opened: No such file or directory"))
        << result.err;
    EXPECT_TRUE(fs::exists(work / "Tessaline" / "novel.txt"));
}

TEST_F(CliTest, UnreadableFileIsNamedWithTheReason) {
    write_file(work / "novel.txt", cp949(novel_text));
    CliResult not_a_folder = run({"novel.txt/"});
    EXPECT_EQ(not_a_folder.status, 1);
    EXPECT_TRUE(contains(not_a_folder.err, "'novel.txt/' cannot be opened: Not a directory")) << not_a_folder.err;

    if (geteuid() == 0) GTEST_SKIP() << "permissions do not stop root";
    write_file(work / "secret.txt", cp949(novel_text));
    fs::permissions(work / "secret.txt", fs::perms::none);
    CliResult result = run({"secret.txt"});
    EXPECT_EQ(result.status, 1);
    EXPECT_TRUE(contains(result.err, "'secret.txt'")) << result.err;
    EXPECT_TRUE(contains(result.err, "Permission denied")) << result.err;
}

TEST_F(CliTest, FileOfAFolderThatCannotBeOpenedIsNamed) {
    write_file(work / "books" / "a.txt", cp949(novel_text));
    fs::create_symlink("nowhere", work / "books" / "b.txt");
    CliResult result = run({"books"});
    EXPECT_EQ(result.status, 1);
    EXPECT_TRUE(contains(result.err, "'books/b.txt' cannot be opened: No such file or directory")) << result.err;
    EXPECT_TRUE(fs::exists(work / "books" / "Tessaline" / "a.txt"));
}

TEST_F(CliTest, KoreanNamesOfFailedFilesReadAsTheyAreSpelt) {
    write_file(work / "books" / "a.txt", cp949(novel_text));
    fs::create_symlink("nowhere", work / "books" / "등대섬.txt");
    CliResult result = run({"books"});
    EXPECT_EQ(result.status, 1);
    EXPECT_TRUE(contains(result.err, "'books/등대섬.txt' cannot be opened")) << result.err;
}

TEST_F(CliTest, OutputThatCannotBeWrittenIsNamed) {
    write_file(work / "novel.txt", cp949(novel_text));
    write_file(work / "Tessaline", "in the way");
    CliResult result = run({"novel.txt"});
    EXPECT_EQ(result.status, 1);
    EXPECT_TRUE(contains(result.err, "'Tessaline/novel.txt'")) << result.err;
    EXPECT_EQ(read_file(work / "Tessaline"), "in the way");
}

TEST_F(CliTest, FolderConvertsTheTextFilesDirectlyInIt) {
    for (const char* name : {"a.txt", "b.TXT", "mytxt", "c.doc", "sub/d.txt"})
        write_file(work / "books" / name, cp949(novel_text));
    CliResult result = run({"books/"});
    EXPECT_EQ(result.status, 0) << result.err;
    std::vector<std::string> written;
    for (const auto& entry : fs::directory_iterator(work / "books" / "Tessaline"))
        written.push_back(entry.path().filename().string());
    std::sort(written.begin(), written.end());
    EXPECT_EQ(written, (std::vector<std::string>{"a.txt", "b.TXT", "mytxt"}));
    EXPECT_FALSE(fs::exists(work / "books" / "sub" / "Tessaline"));
}

TEST_F(CliTest, FolderWhoseNamesOverflowOneSelectionIsConvertedWhole) {
    const int files = 450;  // 450 names of 240 bytes do not fit in one 100000-byte selection
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
    write_file(work / "books" / "a.txt", cp949(novel_text));
    write_file(work / "books" / "sub" / "deeper" / "d.txt", cp949(novel_text));
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
    write_file(work / "notes.doc", cp949(novel_text));
    write_file(work / "novel.txt", cp949(novel_text));
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
    EXPECT_EQ(result.err, "");
    for (const char* name : {"a/Tessaline/x.txt", "a/Tessaline/y.txt", "b/Tessaline/z.txt"})
        EXPECT_TRUE(fs::exists(work / name)) << name;

    CliResult in_order = run({"--stdout", "a/x.txt", "b/z.txt", "a/y.txt"});
    EXPECT_EQ(in_order.status, 0) << in_order.err;
    EXPECT_EQ(utf8(in_order.out), utf8(expected));
}

TEST_F(CliTest, FilesConvertedAtOnceComeOutInTheOrderOfOneAtATime) {
    for (int k = 0; k < 12; ++k) {
        std::string text;
        for (int line = 0; line < (k % 3 == 0 ? 3000 : 2); ++line) text += novel_text;
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
constexpr bool memory_can_be_limited = false;
#elif defined(__has_feature)
constexpr bool memory_can_be_limited = !__has_feature(address_sanitizer);
#else
constexpr bool memory_can_be_limited = true;
#endif

TEST_F(CliTest, AFileTooLargeForTheMemoryFailsAloneAndTheBatchGoesOn) {
    if (!memory_can_be_limited) GTEST_SKIP() << "the address sanitizer needs more memory than the limit";
    // One paragraph of 24 MB cannot be converted within 32 MB; short novels can (by the rules: the
    // spelling dictionary of the vocabulary mode alone needs more than the limit).
    const rlim_t limit = rlim_t{32} << 20;
    std::string line;
    while (line.size() < (size_t{24} << 20)) line += cp949("가나다라마바사 ");
    write_file(work / "a.txt", cp949(novel_text));
    write_file(work / "huge.txt", line);
    write_file(work / "c.txt", cp949(novel_text));
    for (const char* jobs : {"1", "2"}) {
        fs::remove_all(work / "Tessaline");
        address_space = limit;
        CliResult result = run({"--joints", "rules", "-j", jobs, "a.txt", "huge.txt", "c.txt"});
        EXPECT_EQ(result.status, 1) << result.err;
        EXPECT_EQ(result.err, "tessaline: 'huge.txt' cannot be converted: out of memory\n");
        EXPECT_TRUE(ends_with_footer(read_file(work / "Tessaline" / "a.txt"))) << jobs;
        EXPECT_TRUE(ends_with_footer(read_file(work / "Tessaline" / "c.txt"))) << jobs;
        std::vector<std::string> left;
        for (const auto& entry : fs::directory_iterator(work / "Tessaline")) left.push_back(entry.path().filename());
        std::sort(left.begin(), left.end());
        EXPECT_EQ(left, (std::vector<std::string>{"a.txt", "c.txt"})) << "no result and no temporary file of huge.txt";
    }
}

TEST_F(CliTest, OptionsReachEveryFolderOfOneCommand) {
    write_file(work / "a" / "x.txt", cp949(novel_text));
    write_file(work / "b" / "x.txt", cp949(novel_text));
    ASSERT_EQ(run({"--mark-joins", "--remove-hanja", "a/x.txt", "b/x.txt"}).status, 0);
    for (const char* name : {"a/Tessaline/x.txt", "b/Tessaline/x.txt"}) {
        std::string text = utf8(read_file(work / name));
        EXPECT_TRUE(contains(text, "생각에` 잠겨")) << name << ": " << text;
        EXPECT_FALSE(contains(text, "漢字")) << name;
    }
    EXPECT_FALSE(contains(converted(cp949(novel_text)), "`")) << "the join mark is off by default";
}

std::string repeated(const std::string& text, int times) {
    std::string result;
    for (int k = 0; k < times; ++k) result += (k == 0 ? "" : " ") + text;
    return result;
}

size_t line_count(const std::string& text) { return static_cast<size_t>(std::count(text.begin(), text.end(), '\n')); }

TEST_F(CliTest, TheWindowsCheckedOptionsCanBeTurnedOff) {
    const std::string sentence = "그는 오래된 골목길을 따라 천천히 걸어가면서 옛날 생각에 잠겨 있었다.";
    std::string long_paragraph =
        cp949(repeated(sentence, 6) + "\n어린 시절의 기억이 하나둘 떠올랐다. 그리고 웃었다.\n");
    EXPECT_TRUE(contains(converted(long_paragraph), cp949("있었다.\r\n\r\n어린")));
    EXPECT_TRUE(contains(converted(long_paragraph, {"--no-blank-after-long"}), cp949("있었다.\r\n어린")));

    std::string very_long_lines = cp949(repeated(repeated(sentence, 20) + "\n", 3));
    size_t split = line_count(converted(very_long_lines));
    size_t unsplit = line_count(converted(very_long_lines, {"--no-split-long", "--no-blank-after-long"}));
    EXPECT_GT(split, unsplit + 20) << "very long paragraphs are split at sentence ends by default";
}

// The book writes 푸른 바다 apart four times inside its lines; the word lists alone fuse the
// two words at the joints.
const std::string book_of_the_sea =
    "그는 바닷가 마을에서 자랐다. 아침마다 푸른 바다를 보며 걸었다. 푸른 바다는 언제나\n"
    "그곳에 있었다. 그는 푸른 바다를 사랑했다. 그의 어머니도 푸른 바다를 사랑했다. 푸른\n"
    "바다가 그를 불렀다.\n";

TEST_F(CliTest, JointsFollowTheBooksVocabularyUnlessTheRulesAreAsked) {
    std::string book = cp949(book_of_the_sea);
    std::string by_vocabulary = converted(book);
    std::string by_rules = converted(book, {"--joints", "rules"});
    EXPECT_TRUE(contains(utf8(by_vocabulary), "언제나 그곳에")) << utf8(by_vocabulary);
    EXPECT_TRUE(contains(utf8(by_vocabulary), "푸른 바다가")) << utf8(by_vocabulary);
    EXPECT_TRUE(contains(utf8(by_rules), "푸른바다가")) << utf8(by_rules);
    EXPECT_EQ(converted(book, {"--joints=vocabulary"}), by_vocabulary);
    EXPECT_EQ(converted(book, {"--vocabulary-joints"}), by_vocabulary);
    EXPECT_EQ(converted(book, {"--joints", "Rules"}), by_rules);
}

// The code blocks of the README's "Before and after": the hard-wrapped input and its result.
std::vector<std::string> readme_example() {
    std::string readme = read_file(TESSALINE_README);
    std::vector<std::string> blocks;
    size_t at = readme.find("## Before and after");
    for (int k = 0; k < 2 && at != std::string::npos; ++k) {
        size_t open = readme.find("```\n", at);
        size_t close = open == std::string::npos ? open : readme.find("```\n", open + 4);
        if (close == std::string::npos) break;
        blocks.push_back(readme.substr(open + 4, close - open - 4));
        at = close + 4;
    }
    return blocks;
}

TEST_F(CliTest, TheReadmeExampleComesOutAsShown) {
    std::vector<std::string> example = readme_example();
    ASSERT_EQ(example.size(), 2u) << "the README's before-and-after blocks";
    write_file(work / "example.txt", example[0]);
    for (const std::vector<std::string>& extra : {std::vector<std::string>{}, {"--dictionary", "no-such-folder"}}) {
        std::vector<std::string> args = {"--stdout", "--input-encoding", "utf-8", "--output-encoding", "utf-8"};
        args.insert(args.end(), extra.begin(), extra.end());
        args.push_back("example.txt");
        CliResult result = run(args);
        EXPECT_EQ(result.status, 0) << result.err;
        std::string text = result.out.substr(0, result.out.find("\r\n"));
        EXPECT_EQ(text + "\n", example[1]) << (extra.empty() ? "with the dictionary if installed" : "without one");
    }
}

TEST_F(CliTest, AMissingDictionaryIsNamedOnceAndTheRunGoesOn) {
    write_file(work / "a.txt", cp949(novel_text));
    write_file(work / "b.txt", cp949(novel_text));
    CliResult result = run({"--dictionary", "no-such-folder", "a.txt", "b.txt"});
    EXPECT_EQ(result.status, 0) << result.err;
    size_t first = result.err.find("no Korean spelling dictionary at 'no-such-folder'");
    EXPECT_NE(first, std::string::npos) << result.err;
    EXPECT_EQ(result.err.find("no Korean spelling dictionary", first + 1), std::string::npos) << "warned once";
    EXPECT_TRUE(fs::exists(work / "Tessaline" / "b.txt"));
    CliResult quiet = run({"-q", "--dictionary", "no-such-folder", "a.txt"});
    EXPECT_EQ(quiet.err, "");
    CliResult by_rules = run({"--joints", "rules", "--dictionary", "no-such-folder", "a.txt"});
    EXPECT_FALSE(contains(by_rules.err, "dictionary")) << "the rules never look for it";
}

TEST_F(CliTest, MinimumLengthIsAWholeNumberOfCharacters) {
    std::string text = cp949(short_lines);
    std::string unlimited = converted(text, {"-m", "0"});
    EXPECT_NE(unlimited, converted(text)) << "the default 15 keeps the short line";
    EXPECT_EQ(converted(text, {"--min-length=15"}), converted(text));
    EXPECT_EQ(converted(text, {"-m", "0015"}), converted(text));
    EXPECT_EQ(converted(text, {"-m9999"}), converted(text, {"-m", "9999"}));
    EXPECT_NE(converted(text, {"-m9999"}), unlimited);
}

TEST_F(CliTest, UnmarkedUtf8InputIsDecodedAndWrittenBackInUtf8UnlessCp949IsForced) {
    write_file(work / "utf8.txt", novel_text);
    CliResult automatic = run({"--stdout", "utf8.txt"});
    EXPECT_EQ(automatic.status, 0) << automatic.err;
    EXPECT_EQ(automatic.out, utf8(converted(cp949(novel_text))));
    EXPECT_EQ(run({"--stdout", "--input-encoding", "utf-8", "utf8.txt"}).out, automatic.out);
    EXPECT_EQ(run({"--stdout", "--output-encoding", "cp949", "utf8.txt"}).out, converted(cp949(novel_text)));
    CliResult as_cp949 = run({"--stdout", "--input-encoding=cp949", "utf8.txt"});
    EXPECT_EQ(as_cp949.status, 0) << as_cp949.err;
    EXPECT_TRUE(contains(as_cp949.out, "골목길을")) << "UTF-8 bytes that pair as CP949 are taken as they are";
    EXPECT_TRUE(contains(as_cp949.err, "'utf8.txt' has ")) << as_cp949.err;
    EXPECT_TRUE(contains(as_cp949.err, "that are not CP949 text")) << as_cp949.err;
}

TEST_F(CliTest, Utf8OutputIsTheSameResultInUtf8) {
    write_file(work / "novel.txt", cp949(novel_text));
    ASSERT_EQ(run({"--output-encoding", "utf-8", "novel.txt"}).status, 0);
    std::string written = read_file(work / "Tessaline" / "novel.txt");
    EXPECT_EQ(written, utf8(converted(cp949(novel_text))));
    EXPECT_NE(written.compare(0, 3, "\xEF\xBB\xBF"), 0) << "no byte-order mark";
}

TEST_F(CliTest, OutputDirTakesTheResultsAndMirrorsSubfolders) {
    write_file(work / "books" / "a.txt", cp949(novel_text));
    write_file(work / "books" / "sub" / "b.txt", cp949(novel_text));
    CliResult result = run({"-r", "-o", "out/nested", "books"});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_TRUE(fs::exists(work / "out" / "nested" / "a.txt"));
    EXPECT_TRUE(fs::exists(work / "out" / "nested" / "sub" / "b.txt"));
    EXPECT_FALSE(fs::exists(work / "books" / "Tessaline"));
    EXPECT_FALSE(contains(result.err, "Tessaline 폴더")) << result.err;
}

TEST_F(CliTest, OutputDirNeverLetsOneResultReplaceAnotherOrItsInput) {
    write_file(work / "a" / "x.txt", cp949(novel_text));
    write_file(work / "b" / "x.txt", cp949(short_lines));
    CliResult clash = run({"-o", "out", "a/x.txt", "b/x.txt", "a/x.txt"});
    EXPECT_EQ(clash.status, 1);
    EXPECT_TRUE(contains(clash.err, "'b/x.txt' is not converted")) << clash.err;
    EXPECT_EQ(read_file(work / "out" / "x.txt"), converted(cp949(novel_text)));

    CliResult in_place = run({"-o", "a", "a/x.txt"});
    EXPECT_EQ(in_place.status, 1);
    EXPECT_TRUE(contains(in_place.err, "x.txt' would replace its own input file")) << in_place.err;
    EXPECT_EQ(read_file(work / "a" / "x.txt"), cp949(novel_text));
}

TEST_F(CliTest, HelpListsEveryOptionWithItsDefault) {
    CliResult help = run({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.err, "");
    for (const char* option :
         {"-m, --min-length N", "--remove-hanja", "--no-blank-after-long", "--mark-joins", "--no-split-long",
          "--joints MODE", "--vocabulary-joints", "--dictionary PATH", "--input-encoding", "--output-encoding",
          "-o, --output-dir DIR", "-r, --recursive", "-j, --jobs N", "--stdout", "-q, --quiet", "-h, --help",
          "--version", "--no-footer", "--follow-links"})
        EXPECT_TRUE(contains(help.out, option)) << option;
    for (const char* default_value : {"(default: 15)", "(default: vocabulary)", "(default: auto)", "(default: same"})
        EXPECT_TRUE(contains(help.out, default_value)) << default_value;
    EXPECT_EQ(run({"-h"}).out, help.out);
    CliResult version = run({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, std::string("tessaline ") + TESSALINE_VERSION + "\n");
}

TEST_F(CliTest, QuietLeavesOnlyTheFailures) {
    write_file(work / "novel.txt", cp949(novel_text));
    CliResult success = run({"-q", "novel.txt"});
    EXPECT_EQ(success.status, 0);
    EXPECT_EQ(success.err, "");
    CliResult failure = run({"-qr", "missing.txt"});
    EXPECT_EQ(failure.status, 1);
    EXPECT_TRUE(contains(failure.err, "'missing.txt'")) << failure.err;
}

}  // namespace

}  // namespace tessaline
