// Writes the benchmark inputs as files, for measuring whole runs of the command line: every input
// at every size into a folder as INPUT-MBmb.txt, or with --novels N that many novel files, each
// one novel of the corpus wrapped in one of the styles real files come in, as novel-K.txt.

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench/support/bench_runs.h"
#include "tools/corpus/corpus.h"
#include "tools/corpus/wrap_styles.h"

namespace tessaline {

namespace {

void write_file(const std::filesystem::path& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    if (!out) throw std::runtime_error("cannot write " + path.string());
}

void write_sized_inputs(const std::filesystem::path& folder) {
    for (BenchInput input : all_bench_inputs()) {
        for (size_t mb : bench_sizes_mb) {
            std::string name = std::string(bench_input_name(input)) + "-" + std::to_string(mb) + "mb.txt";
            write_file(folder / name, bench_input(input, mb * megabyte));
        }
    }
}

// Every novel in one style, then every novel in the next, round and round.
void write_novels(const std::filesystem::path& folder, int count) {
    std::vector<Novel> novels = read_corpus(bench_corpus_folder());
    const std::vector<WrapStyle>& styles = all_wrap_styles();
    for (int k = 0; k < count; ++k) {
        const Novel& novel = novels[static_cast<size_t>(k) % novels.size()];
        WrapStyle style = styles[(static_cast<size_t>(k) / novels.size()) % styles.size()];
        char name[32];
        std::snprintf(name, sizeof name, "novel-%03d.txt", k);
        write_file(folder / name, wrap_novel(novel.paragraphs, style).text);
    }
}

}  // namespace

int write_bench_inputs(int argc, char** argv) {
    bool novels = argc == 4 && std::strcmp(argv[1], "--novels") == 0;
    if (argc != 2 && !novels) {
        std::fprintf(stderr, "Usage: write_bench_inputs [--novels N] FOLDER\n");
        return 2;
    }
    try {
        std::filesystem::path folder = argv[argc - 1];
        std::filesystem::create_directories(folder);
        if (novels) write_novels(folder, std::atoi(argv[2]));
        else write_sized_inputs(folder);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "write_bench_inputs: %s\n", error.what());
        return 1;
    }
    return 0;
}

}  // namespace tessaline

int main(int argc, char** argv) { return tessaline::write_bench_inputs(argc, argv); }
