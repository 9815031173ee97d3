#pragma once

#include <filesystem>
#include <string>
#include <vector>

// The real tessaline binary (named by TESSALINE_CLI), run in a folder with the given standard
// input; what it wrote and how it ended.
struct CliRun {
    int status;
    std::string out;
    std::string err;
};

CliRun run_cli(const std::filesystem::path& folder, const std::vector<std::string>& args, const std::string& input = "");
