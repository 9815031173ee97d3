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

constexpr size_t ceiling_bytes = 16 << 20;

void memcpy_run(benchmark::State& state) {
    std::vector<char> from(ceiling_bytes, 'x');
    std::vector<char> to(ceiling_bytes);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), ceiling_bytes);
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(ceiling_bytes));
}

void file_read_run(benchmark::State& state) {
    std::string path =
        (std::filesystem::temp_directory_path() / ("tessaline-read-" + std::to_string(getpid()))).string();
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        std::string block(ceiling_bytes, 'x');
        out.write(block.data(), static_cast<std::streamsize>(block.size()));
    }
    std::vector<char> into(ceiling_bytes);
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
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(ceiling_bytes));
}

}  // namespace

BENCHMARK(memcpy_run)->Name("ceiling/memcpy/16")->Unit(benchmark::kMillisecond);
BENCHMARK(file_read_run)->Name("ceiling/file-read/16")->Unit(benchmark::kMillisecond);

}  // namespace tessaline
