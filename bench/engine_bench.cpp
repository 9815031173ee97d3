// The engine alone: MB of source text reflowed per second, the text already in memory.

#include <chrono>
#include <cstring>
#include <exception>

#include "bench/support/bench_runs.h"
#include "engine/engine_state.h"
#include "engine/reflow.h"

namespace {

void load(const std::string& text) {
    text_buffer_reset(source_text, text.size() + 2);
    std::memcpy(source_text.bytes, text.data(), text.size());
    source_size = static_cast<uint32_t>(text.size());
}

void reflow_once(const std::string& text) {
    load(text);
    use_bench_options();
    reflow_document(nullptr);
}

void engine_run(benchmark::State& state, BenchInput input, size_t size) {
    try {
        std::string reason = too_slow_reason("engine", input, size, reflow_once);
        if (!reason.empty()) {
            state.SkipWithError(reason.c_str());
            return;
        }
        const std::string& text = bench_input(input, size);
        load(text);
        use_bench_options();
        auto start = std::chrono::steady_clock::now();
        for (auto _ : state) reflow_document(nullptr);
        double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        record_seconds("engine", input, size, seconds / static_cast<double>(state.iterations()));
        state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
    } catch (const std::exception& error) {
        state.SkipWithError(error.what());
    }
}

// The book-vocabulary mode on the 16 MB corpus, to be compared with the rules alone.
void vocabulary_run(benchmark::State& state) {
    const std::string& text = bench_input(BenchInput::CORPUS, 16 * MEGABYTE);
    load(text);
    use_bench_options();
    conversion_options.vocabulary_joints = 1;
    for (auto _ : state) reflow_document(nullptr);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
}

const bool registered = (register_sized("engine", engine_run),
                         benchmark::RegisterBenchmark("vocabulary/corpus/16", vocabulary_run)->Unit(benchmark::kMillisecond),
                         true);

}  // namespace
