#include "tests/support/cli_run.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {

std::string read_file(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

}  // namespace

CliRun run_cli(const std::filesystem::path& folder, const std::vector<std::string>& args, const std::string& input) {
    const char* cli = std::getenv("TESSALINE_CLI");
    if (cli == nullptr) return {-1, "", "TESSALINE_CLI is not set"};
    // Standard input, output and error go through files beside the folder, not in it.
    std::filesystem::path io = folder.string() + ".io";
    std::filesystem::create_directories(io);
    std::ofstream(io / "in", std::ios::binary) << input;
    std::vector<char*> argv{const_cast<char*>(cli)};
    for (const auto& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    pid_t child = fork();
    if (child == 0) {
        if (chdir(folder.c_str()) != 0) _exit(127);
        dup2(open((io / "in").c_str(), O_RDONLY), 0);
        dup2(open((io / "out").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), 1);
        dup2(open((io / "err").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), 2);
        execv(cli, argv.data());
        _exit(127);
    }
    int status = 0;
    waitpid(child, &status, 0);
    CliRun run{WIFEXITED(status) ? WEXITSTATUS(status) : -1, read_file(io / "out"), read_file(io / "err")};
    std::filesystem::remove_all(io);
    return run;
}
