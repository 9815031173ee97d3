#pragma once

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/types.h>

#include <filesystem>
#include <string>
#include <vector>

namespace tessaline {

// Runs the real tessaline binary (TESSALINE_CLI) on temporary folders: with its standard streams
// on files, on a pseudo-terminal of a chosen width, or in the background to be signalled.

struct CliResult {
    int status;  // the exit status, or 128 + the signal that ended it
    std::string out;
    std::string err;
};

// The binary run once in `folder` with the given standard input, outside any fixture.
struct CliRun {
    int status;
    std::string out;
    std::string err;
};
CliRun run_cli(const std::filesystem::path& folder, const std::vector<std::string>& args,
               const std::string& input = "");

std::string read_file(const std::filesystem::path& path);
void write_file(const std::filesystem::path& path, const std::string& bytes);
bool contains(const std::string& text, const std::string& part);

class CliTest : public ::testing::Test {
protected:
    // Longer than any run of these tests takes, even under the sanitizers.
    static constexpr int default_hang_seconds = 300;

    std::filesystem::path root;
    std::filesystem::path work;  // the folder the command runs in
    std::filesystem::path io;    // standard input, output and error of the command, kept out of `work`
    rlim_t address_space = 0;    // when not 0, the memory the command may map, in bytes

    void SetUp() override;
    void TearDown() override;

    // The command runs in English unless `environment` ("NAME=value") says otherwise. One still
    // running after `hang_seconds` is ended, and its status is -1.
    CliResult run(const std::vector<std::string>& args, const std::string& input = "",
                  const std::vector<std::string>& environment = {}, int hang_seconds = default_hang_seconds);

    // Everything the command wrote to a terminal of `columns` columns that is its standard input,
    // output and error.
    CliResult run_on_terminal(const std::vector<std::string>& args, int columns,
                              const std::vector<std::string>& environment = {});

    // Starts the command with its streams on files, without waiting; finish() collects it.
    pid_t start(const std::vector<std::string>& args);
    CliResult finish(pid_t child, int hang_seconds = default_hang_seconds);

    // The converted bytes of a CP949 text, as the command line writes them to standard output.
    std::string converted(const std::string& cp949_text, const std::vector<std::string>& options = {});

private:
    std::vector<char*> argv_of(const std::vector<std::string>& args);
    void enter_child(const std::vector<std::string>& environment);
};

}  // namespace tessaline
