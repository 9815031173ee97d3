// Writes every benchmark input at every size into a folder as INPUT-MBmb.txt, for measuring the
// command line's memory on them.

#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <string>

#include "bench/support/bench_runs.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "Usage: write_bench_inputs FOLDER\n");
        return 2;
    }
    try {
        std::filesystem::create_directories(argv[1]);
        for (BenchInput input : all_bench_inputs()) {
            for (size_t mb : BENCH_SIZES_MB) {
                const std::string& text = bench_input(input, mb * MEGABYTE);
                std::filesystem::path path = std::filesystem::path(argv[1]) /
                                             (std::string(bench_input_name(input)) + "-" + std::to_string(mb) + "mb.txt");
                std::ofstream out(path, std::ios::binary | std::ios::trunc);
                out.write(text.data(), static_cast<std::streamsize>(text.size()));
                if (!out) throw std::runtime_error("cannot write " + path.string());
            }
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "write_bench_inputs: %s\n", error.what());
        return 1;
    }
    return 0;
}
