// What the machine allows: copying memory and reading a file from the page cache, in MB/s.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace tessaline {

namespace {

constexpr size_t CEILING_BYTES = 16 << 20;

void memcpy_run(benchmark::State& state) {
    std::vector<char> from(CEILING_BYTES, 'x');
    std::vector<char> to(CEILING_BYTES);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), CEILING_BYTES);
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(CEILING_BYTES));
}

void file_read_run(benchmark::State& state) {
    std::string path = (std::filesystem::temp_directory_path() / ("tessaline-read-" + std::to_string(getpid()))).string();
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        std::string block(CEILING_BYTES, 'x');
        out.write(block.data(), static_cast<std::streamsize>(block.size()));
    }
    std::vector<char> into(CEILING_BYTES);
    for (auto _ : state) {
        uint64_t size = 0;
        PlatformFile* file = platform_open_existing(path.c_str(), &size);
        if (file == nullptr || !platform_read_exact(file, into.data(), static_cast<size_t>(size))) {
            state.SkipWithError("the file could not be read");
            if (file != nullptr) platform_close(file);
            break;
        }
        platform_close(file);
        benchmark::DoNotOptimize(into.data());
    }
    std::filesystem::remove(path);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(CEILING_BYTES));
}

}  // namespace

BENCHMARK(memcpy_run)->Name("ceiling/memcpy/16")->Unit(benchmark::kMillisecond);
BENCHMARK(file_read_run)->Name("ceiling/file-read/16")->Unit(benchmark::kMillisecond);

}  // namespace tessaline
