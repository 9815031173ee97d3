// The command line's folder walk over a chain of nested folders and over one wide folder: the time
// per folder should not grow with the depth (a walk that compared each folder with all above it
// grew with the cube of the depth).
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <map>
#include <string>

#include "cli/folder_walk.h"

namespace tessaline {

namespace fs = std::filesystem;

namespace {

// Made once per shape and size, removed when the program ends.
struct TreeFolder {
    fs::path root;
    TreeFolder() {
        std::string pattern = (fs::temp_directory_path() / "tessaline-walk-XXXXXX").string();
        root = mkdtemp(pattern.data());
    }
    ~TreeFolder() {
        std::error_code ignored;
        fs::remove_all(root, ignored);
    }
};

TreeFolder& trees() {
    static TreeFolder folder;
    return folder;
}

void write_text(int folder) {
    int file = openat(folder, "a.txt", O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (file >= 0) close(file);
}

// A chain of `depth` folders, each holding one text file; made folder by folder relative to the
// one above, since its whole path may be longer than the system takes at once.
std::string chain(int depth) {
    fs::path root = trees().root / ("chain" + std::to_string(depth));
    if (fs::exists(root)) return root.string();
    fs::create_directories(root);
    int folder = open(root.c_str(), O_RDONLY | O_DIRECTORY);
    for (int k = 0; k < depth; ++k) {
        write_text(folder);
        mkdirat(folder, "d", 0755);
        int inner = openat(folder, "d", O_RDONLY | O_DIRECTORY);
        close(folder);
        folder = inner;
    }
    close(folder);
    return root.string();
}

std::string wide(int width) {
    fs::path root = trees().root / ("wide" + std::to_string(width));
    if (fs::exists(root)) return root.string();
    for (int k = 0; k < width; ++k) {
        fs::create_directories(root / std::to_string(k));
        int folder = open((root / std::to_string(k)).c_str(), O_RDONLY | O_DIRECTORY);
        write_text(folder);
        close(folder);
    }
    return root.string();
}

void walk(benchmark::State& state, const std::string& root) {
    WalkRules rules{true, false, false, {0, 0}};
    int64_t folders = 0;
    for (auto _ : state) {
        WalkListener listener{&folders, [](void* count, const FolderOfTexts&) { ++*static_cast<int64_t*>(count); },
                              [](void*, const std::string&) {}};
        walk_folder_tree(root, "", rules, listener);
    }
    state.SetItemsProcessed(folders);
}

void BM_Chain(benchmark::State& state) { walk(state, chain(static_cast<int>(state.range(0)))); }
void BM_Wide(benchmark::State& state) { walk(state, wide(static_cast<int>(state.range(0)))); }

// The deepest chain passes the 4096 bytes a whole path may have on Linux.
BENCHMARK(BM_Chain)->Arg(250)->Arg(1000)->Arg(3000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Wide)->Arg(250)->Arg(1000)->Arg(3000)->Unit(benchmark::kMillisecond);

}  // namespace

}  // namespace tessaline
