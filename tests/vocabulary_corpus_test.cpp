// The book-vocabulary mode over the novels of the shared corpus, hard-wrapped at 35 characters:
// it moves only whitespace, and a run with the mode off is the same whatever ran before it.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tests/support/cp949.h"
#include "tests/support/engine_harness.h"

namespace tessaline {

namespace {

constexpr size_t wrap_bytes = 70;  // 35 characters as wide as a Hangul syllable

// The corpus beside the source tree this test was configured from.
std::filesystem::path corpus_folder() { return TESSALINE_CORPUS_FOLDER; }

std::vector<std::filesystem::path> corpus_novels() {
    std::vector<std::filesystem::path> novels;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(corpus_folder(), error))
        if (entry.path().extension() == ".txt") novels.push_back(entry.path());
    return novels;
}

// Every paragraph (a line of the UTF-8 file) cut into lines of at most wrap_bytes, anywhere
// between two characters; a space at a cut is dropped.
std::string wrapped_novel(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::string text = cp949(std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()));
    std::string wrapped;
    size_t line_start = 0;
    for (size_t pos = 0; pos < text.size();) {
        size_t width = static_cast<unsigned char>(text[pos]) >= 0x80 ? 2 : 1;
        if (text[pos] == '\n' || pos + width - line_start > wrap_bytes) {
            wrapped += text.substr(line_start, pos - line_start) + "\r\n";
            if (text[pos] == '\n' || text[pos] == ' ') ++pos;
            line_start = pos;
            continue;
        }
        pos += width;
    }
    return wrapped + text.substr(line_start);
}

std::string without_whitespace(const std::string& text) {
    std::string kept;
    for (char c : text)
        if (c != ' ' && c != '\r' && c != '\n') kept += c;
    return kept;
}

TEST(VocabularyCorpus, MovesOnlyWhitespaceAndLeavesTheRulesAlone) {
    std::vector<std::filesystem::path> novels = corpus_novels();
    if (novels.empty()) GTEST_SKIP() << "no corpus at " << corpus_folder();
    ConversionOptions rules = window_defaults();
    ConversionOptions vocabulary = rules;
    vocabulary.joints = JointMode::vocabulary;
    for (const std::filesystem::path& novel : novels) {
        std::string book = wrapped_novel(novel);
        std::string before = reflow(book, rules);
        std::string with_vocabulary = reflow(book, vocabulary);
        EXPECT_EQ(reflow(book, rules), before) << novel << ": the mode left something behind";
        EXPECT_EQ(without_whitespace(with_vocabulary), without_whitespace(before)) << novel << ": text changed";
        EXPECT_NE(with_vocabulary, before) << novel << ": the mode changed nothing";
    }
}

}  // namespace

}  // namespace tessaline
