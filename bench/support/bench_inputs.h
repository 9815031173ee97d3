#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace tessaline {

// What the benchmarks convert: the corpus as real files come, and inputs built to find the slow
// paths of the rules.
enum class BenchInput {
    CORPUS,        // every novel in every wrapping style, concatenated
    QUOTE_LINE,    // one line of straight double quotes
    SPACE_LINE,    // one line of spaces
    PAREN_LINE,    // one line of parenthesised glosses: 한(漢) 한(漢) ...
    QUOTE_LINES,   // short lines of nothing but quotation marks
    HANGUL_LINES,  // lines of 100000 bytes of Hangul without a space
    RANDOM_CP949,  // random bytes other than NUL
};

constexpr size_t megabyte = 1 << 20;

// The folder of the corpus: TESSALINE_CORPUS when it is set, else the repository's ../shared/corpus.
std::string bench_corpus_folder();

const std::vector<BenchInput>& all_bench_inputs();
const char* bench_input_name(BenchInput input);

// The input cut to about `size` bytes (at a line end where it has any), built once per size.
// The corpus is read from the folder that TESSALINE_CORPUS names, else from the repository's
// ../shared/corpus; it throws std::runtime_error when that cannot be read.
const std::string& bench_input(BenchInput input, size_t size);

}  // namespace tessaline
