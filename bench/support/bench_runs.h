#pragma once

#include <benchmark/benchmark.h>

#include <cstddef>
#include <string>

#include "bench/support/bench_inputs.h"
#include "engine/reflow.h"

namespace tessaline {

// Sizes every input is measured at, in megabytes, smallest first.
constexpr size_t bench_sizes_mb[] = {1, 4, 16};

using SizedBenchmark = void (*)(benchmark::State& state, BenchInput input, size_t size);

// Registers GROUP/INPUT/MB for every input and size, in that order, timed in milliseconds.
void register_sized(const char* group, SizedBenchmark run);

// Whether an input is too slow to measure at this size: a probe of 128 KiB before the first size,
// and the time of the size before for the others. Empty when it is not, else the reason.
std::string too_slow_reason(const char* group, BenchInput input, size_t size, void (*convert)(const std::string&));

// Records the seconds one conversion took, for too_slow_reason.
void record_seconds(const char* group, BenchInput input, size_t size, double seconds);

// The window's options with Hanja removal on, so every rule of the engine runs.
ConversionOptions bench_options();

}  // namespace tessaline
