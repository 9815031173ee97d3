// The engine alone: MB of source text reflowed per second, the text already in memory and the
// result counted, not kept.

#include <chrono>
#include <exception>
#include <span>

#include "bench/support/bench_runs.h"
#include "engine/reflow.h"

namespace tessaline {

namespace {

class CountingSink : public OutputSink {
public:
    void write(std::span<const unsigned char> bytes) override { count += bytes.size(); }
    size_t count = 0;
};

size_t reflow_once(const std::string& text, const ConversionOptions& options) {
    std::span<const unsigned char> bytes(reinterpret_cast<const unsigned char*>(text.data()), text.size());
    Reflow reflow(options);
    reflow.expect_length(bytes.size());
    while (reflow.needs_first_pass()) {
        reflow.feed_first_pass(bytes);
        reflow.finish_first_pass();
    }
    CountingSink sink;
    reflow.feed(bytes, sink);
    reflow.finish(sink);
    return sink.count;
}

void reflow_with_bench_options(const std::string& text) { reflow_once(text, bench_options()); }

void engine_run(benchmark::State& state, BenchInput input, size_t size) {
    try {
        std::string reason = too_slow_reason("engine", input, size, reflow_with_bench_options);
        if (!reason.empty()) {
            state.SkipWithError(reason.c_str());
            return;
        }
        const std::string& text = bench_input(input, size);
        auto start = std::chrono::steady_clock::now();
        for (auto _ : state) benchmark::DoNotOptimize(reflow_once(text, bench_options()));
        double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        record_seconds("engine", input, size, seconds / static_cast<double>(state.iterations()));
        state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
    } catch (const std::exception& error) {
        state.SkipWithError(error.what());
    }
}

// The book-vocabulary mode on the 16 MB corpus, to be compared with the rules alone.
void vocabulary_run(benchmark::State& state) {
    const std::string& text = bench_input(BenchInput::CORPUS, 16 * megabyte);
    ConversionOptions options = bench_options();
    options.joints = JointMode::vocabulary;
    for (auto _ : state) benchmark::DoNotOptimize(reflow_once(text, options));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
}

const bool registered =
    (register_sized("engine", engine_run),
     benchmark::RegisterBenchmark("vocabulary/corpus/16", vocabulary_run)->Unit(benchmark::kMillisecond), true);

}  // namespace

}  // namespace tessaline
