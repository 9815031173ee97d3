#include "bench/support/bench_inputs.h"

#include <cstdlib>
#include <map>
#include <random>
#include <utility>

#include "tools/corpus/corpus.h"
#include "tools/corpus/wrap_styles.h"

namespace tessaline {

namespace {

constexpr size_t hangul_line_bytes = 100000;

// One round of the corpus: every novel wrapped in every style.
const std::string& corpus_round() {
    static const std::string round = [] {
        std::string text;
        std::vector<Novel> novels = read_corpus(bench_corpus_folder());
        for (WrapStyle style : all_wrap_styles())
            for (const Novel& novel : novels) text += wrap_novel(novel.paragraphs, style).text + "\r\n";
        return text;
    }();
    return round;
}

std::string repeat_to(const std::string& unit, size_t size) {
    std::string text;
    text.reserve(size + unit.size());
    while (text.size() < size) text += unit;
    return text;
}

// Cuts behind the last line end before `size`, so no line is left half.
std::string cut_at_line_end(std::string text, size_t size) {
    if (text.size() <= size) return text;
    size_t end = text.rfind('\n', size - 1);
    text.resize(end == std::string::npos ? size : end + 1);
    return text;
}

std::string hangul_lines(size_t size) {
    std::mt19937 random(7);
    std::string text;
    text.reserve(size);
    while (text.size() < size) {
        for (size_t k = 0; k < hangul_line_bytes; k += 2) {
            text += static_cast<char>(0xB0 + random() % 25);  // the Hangul rows of KS X 1001
            text += static_cast<char>(0xA1 + random() % 94);
        }
        text += "\r\n";
    }
    return text;
}

std::string random_bytes(size_t size) {
    std::mt19937 random(11);
    std::string text(size, ' ');
    for (char& c : text) c = static_cast<char>(1 + random() % 255);
    return text;
}

std::string build(BenchInput input, size_t size) {
    switch (input) {
    case BenchInput::CORPUS: return cut_at_line_end(repeat_to(corpus_round(), size), size);
    case BenchInput::QUOTE_LINE: return std::string(size, '"') + "\r\n";
    case BenchInput::SPACE_LINE: return std::string(size, ' ') + "\r\n";
    case BenchInput::PAREN_LINE: return repeat_to("\xC7\xD1(\xF9\xD3) ", size) + "\r\n";  // 한(漢)
    case BenchInput::QUOTE_LINES:
        // " "" “” ' ‘’ """ each on a line of its own
        return repeat_to("\"\r\n\"\"\r\n\xA1\xB0\xA1\xB1\r\n'\r\n\xA1\xAE\xA1\xAF\r\n\"\"\"\r\n", size);
    case BenchInput::HANGUL_LINES: return hangul_lines(size);
    case BenchInput::RANDOM_CP949: return random_bytes(size);
    }
    return {};
}

}  // namespace

std::string bench_corpus_folder() {
    const char* folder = std::getenv("TESSALINE_CORPUS");
    return folder != nullptr && *folder != 0 ? folder : TESSALINE_CORPUS_DEFAULT;
}

const std::vector<BenchInput>& all_bench_inputs() {
    static const std::vector<BenchInput> inputs = {
        BenchInput::CORPUS,      BenchInput::QUOTE_LINE,   BenchInput::SPACE_LINE,  BenchInput::PAREN_LINE,
        BenchInput::QUOTE_LINES, BenchInput::HANGUL_LINES, BenchInput::RANDOM_CP949};
    return inputs;
}

const char* bench_input_name(BenchInput input) {
    switch (input) {
    case BenchInput::CORPUS: return "corpus";
    case BenchInput::QUOTE_LINE: return "quote-line";
    case BenchInput::SPACE_LINE: return "space-line";
    case BenchInput::PAREN_LINE: return "paren-line";
    case BenchInput::QUOTE_LINES: return "quote-lines";
    case BenchInput::HANGUL_LINES: return "hangul-lines";
    case BenchInput::RANDOM_CP949: return "random-cp949";
    }
    return "";
}

const std::string& bench_input(BenchInput input, size_t size) {
    static std::map<std::pair<BenchInput, size_t>, std::string> built;
    auto key = std::make_pair(input, size);
    auto found = built.find(key);
    if (found == built.end()) found = built.emplace(key, build(input, size)).first;
    return found->second;
}

}  // namespace tessaline
