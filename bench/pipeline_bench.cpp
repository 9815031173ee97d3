// The whole path of one file: load and decode it, reflow it, write the result with its footer.

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <exception>
#include <filesystem>
#include <fstream>

#include "bench/support/bench_runs.h"
#include "pipeline/batch_run.h"

namespace tessaline {

namespace {

struct BenchFolder {
    std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("tessaline-bench-" + std::to_string(getpid()));
    std::string input = (path / "input.txt").string();
    std::string output = (path / "out").string();
    BenchFolder() { std::filesystem::create_directories(path); }
    ~BenchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
};

const BenchFolder& folder() {
    static BenchFolder made;
    return made;
}

void write_input(const std::string& text) {
    std::ofstream out(folder().input, std::ios::binary | std::ios::trunc);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
}

// A batch of the one input file into the bench folder, shown nowhere.
bool convert_file(JointMode joints = JointMode::rules) {
    BatchRequest request;
    request.files = {BatchFile{folder().input, folder().output, false}};
    request.shape = RunShape::SINGLE_FILE;
    request.options = bench_options();
    request.options.joints = joints;
    request.destination = Destination::OUTPUT_FOLDER;
    BatchView silent;
    return run_batch(request, silent).failed == 0;
}

void convert_text(const std::string& text) {
    write_input(text);
    convert_file();
}

void pipeline_run(benchmark::State& state, BenchInput input, size_t size) {
    try {
        std::string reason = too_slow_reason("pipeline", input, size, convert_text);
        if (!reason.empty()) {
            state.SkipWithError(reason.c_str());
            return;
        }
        const std::string& text = bench_input(input, size);
        write_input(text);
        auto start = std::chrono::steady_clock::now();
        for (auto _ : state) {
            if (!convert_file()) {
                state.SkipWithError("the file could not be converted");
                break;
            }
        }
        double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        record_seconds("pipeline", input, size,
                       seconds / static_cast<double>(std::max<int64_t>(state.iterations(), 1)));
        state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
    } catch (const std::exception& error) {
        state.SkipWithError(error.what());
    }
}

// The whole path of the 16 MB corpus with the book-vocabulary mode, beside the rules alone.
void vocabulary_file_run(benchmark::State& state) {
    const std::string& text = bench_input(BenchInput::CORPUS, 16 * megabyte);
    write_input(text);
    for (auto _ : state) {
        if (!convert_file(JointMode::vocabulary)) {
            state.SkipWithError("the file could not be converted");
            break;
        }
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
}

const bool registered =
    (register_sized("pipeline", pipeline_run),
     benchmark::RegisterBenchmark("pipeline-vocabulary/corpus/16", vocabulary_file_run)->Unit(benchmark::kMillisecond),
     true);

}  // namespace

}  // namespace tessaline
