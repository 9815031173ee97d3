#include "bench/support/bench_runs.h"

#include <chrono>
#include <cstdio>
#include <map>
#include <tuple>

namespace tessaline {

namespace {

constexpr size_t probe_bytes = 128 * 1024;
constexpr double probe_limit_seconds = 0.25;  // 128 KiB at a fiftieth of the corpus target
constexpr double size_limit_seconds = 2.0;    // a size four times larger would take minutes

std::map<std::tuple<std::string, BenchInput, size_t>, double>& seconds_taken() {
    static std::map<std::tuple<std::string, BenchInput, size_t>, double> taken;
    return taken;
}

std::string described(const char* what, double seconds) {
    char text[96];
    std::snprintf(text, sizeof text, "too slow: %s took %.2f s", what, seconds);
    return text;
}

}  // namespace

void register_sized(const char* group, SizedBenchmark run) {
    for (BenchInput input : all_bench_inputs()) {
        for (size_t mb : bench_sizes_mb) {
            std::string name = std::string(group) + "/" + bench_input_name(input) + "/" + std::to_string(mb);
            benchmark::RegisterBenchmark(name.c_str(), run, input, mb * megabyte)->Unit(benchmark::kMillisecond);
        }
    }
}

std::string too_slow_reason(const char* group, BenchInput input, size_t size, void (*convert)(const std::string&)) {
    if (size == bench_sizes_mb[0] * megabyte) {
        auto start = std::chrono::steady_clock::now();
        convert(bench_input(input, probe_bytes));
        double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        return seconds > probe_limit_seconds ? described("128 KiB", seconds) : "";
    }
    auto& taken = seconds_taken();
    auto before = taken.find({group, input, size / 4});
    if (before == taken.end()) return "";
    std::string what = std::to_string(size / 4 / megabyte) + " MB";
    return before->second > size_limit_seconds ? described(what.c_str(), before->second) : "";
}

void record_seconds(const char* group, BenchInput input, size_t size, double seconds) {
    seconds_taken()[{group, input, size}] = seconds;
}

ConversionOptions bench_options() {
    ConversionOptions options;
    options.split_long_sentences = true;
    options.blank_after_long = true;
    options.remove_hanja = true;
    options.mark_joins = false;
    options.min_line_bytes = 30;
    return options;
}

}  // namespace tessaline
