#include <benchmark/benchmark.h>

#include <string>

#include "engine/rules/dialogue_breaks.h"
#include "tests/support/cp949.h"
#include "tests/support/engine_harness.h"
#include "tests/support/rule_bench.h"

namespace tessaline {

namespace {

std::string repeated_line(const std::string& piece, size_t bytes) {
    std::string line;
    while (line.size() < bytes) line += piece;
    return line + "\r\n";
}

// Runs the step over one long line as the line loop hands it over, with the line as the source.
void run_over_line(benchmark::State& state, const std::string& piece) {
    std::string line = repeated_line(cp949(piece), static_cast<size_t>(state.range(0)));
    RuleBench bench;
    bench.set_source(line);
    for (auto _ : state) {
        Conversion& cv = bench.cv();
        cv.place = LinePlace{};
        cv.place.line_end = static_cast<int64_t>(line.size() - 1);
        bench.set_line(line);
        insert_dialogue_breaks(cv);
        benchmark::DoNotOptimize(cv.line.bytes()[0]);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(line.size()));
}

// Closing quotes after a letter with no opening mark anywhere: every one searches back over the
// whole line before taking its break.
void BM_ClosingQuotesWithoutOpeners(benchmark::State& state) { run_over_line(state, "가\" "); }

// Opening quotes after a space with no closing mark anywhere: every one searches ahead over the
// whole line before taking its break.
void BM_OpeningQuotesWithoutClosers(benchmark::State& state) { run_over_line(state, " “가자"); }

// Narration and dialogue run together in one source line.
void BM_DialogueProse(benchmark::State& state) {
    run_over_line(state, "그는 “가자” 하고 말했다. “어디로?” 그녀가 물었다. “멀리.”“언제?” ");
}

// A hard-wrapped dialogue page through the whole engine.
void BM_DialoguePageThroughEngine(benchmark::State& state) {
    std::string page;
    while (page.size() < static_cast<size_t>(state.range(0)))
        page += cp949(
            "비가 그친 저녁이었다. 민수는 우산을 접고 마당으로 나섰다. “어디\n"
            "가니?” 부엌에서 어머니가 물었다. “잠깐 바람 좀 쐬고 올게요.” 민수는\n"
            "대답하고 대문을 열었다. 영희가 “춥다” 하고 중얼거렸다.\n");
    for (auto _ : state) benchmark::DoNotOptimize(reflow(page, plain_options()));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(page.size()));
}

}  // namespace

BENCHMARK(BM_ClosingQuotesWithoutOpeners)->Arg(10000)->Arg(100000)->Arg(1000000);
BENCHMARK(BM_OpeningQuotesWithoutClosers)->Arg(10000)->Arg(100000)->Arg(1000000);
BENCHMARK(BM_DialogueProse)->Arg(10000)->Arg(100000)->Arg(1000000);
BENCHMARK(BM_DialoguePageThroughEngine)->Arg(1000000);

}  // namespace tessaline
