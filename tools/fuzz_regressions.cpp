// Runs every input kept from fuzzing through the same checks as the fuzz targets: files under
// FOLDER/conversion as conversion cases (whole and fed in pieces), files under FOLDER/loader as
// loader cases.

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tools/checks/fuzz_cases.h"

namespace tessaline {

namespace {

std::vector<std::filesystem::path> inputs_in(const std::filesystem::path& folder) {
    std::vector<std::filesystem::path> files;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error))
        if (entry.is_regular_file()) files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

std::string read_file(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

int run_fuzz_regressions(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "Usage: fuzz_regressions FOLDER\n");
        return 2;
    }
    std::filesystem::path root = argv[1];
    if (!std::filesystem::is_directory(root)) {
        std::fprintf(stderr, "fuzz_regressions: %s is not a folder\n", argv[1]);
        return 2;
    }
    int passed = 0, failed = 0;
    for (const char* kind : {"conversion", "loader"}) {
        for (const auto& path : inputs_in(root / kind)) {
            std::string bytes = read_file(path);
            const auto* data = reinterpret_cast<const uint8_t*>(bytes.data());
            std::string problem = std::string(kind) == "loader" ? check_loader_case(data, bytes.size())
                                                                : check_conversion_case(data, bytes.size());
            if (problem.empty() && std::string(kind) == "conversion") problem = check_piece_case(data, bytes.size());
            if (problem.empty()) {
                ++passed;
                continue;
            }
            ++failed;
            std::printf("FAILED %s: %s\n", path.string().c_str(), problem.c_str());
        }
    }
    std::printf("%d passed, %d failed\n", passed, failed);
    return failed == 0 && passed > 0 ? 0 : 1;
}

}  // namespace tessaline

int main(int argc, char** argv) { return tessaline::run_fuzz_regressions(argc, argv); }
