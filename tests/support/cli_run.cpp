#include "tests/support/cli_run.h"

#include <errno.h>
#include <fcntl.h>
#include <pty.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>

namespace tessaline {

namespace fs = std::filesystem;

namespace {

const char* cli_path() {
    const char* cli = std::getenv("TESSALINE_CLI");
    EXPECT_NE(cli, nullptr) << "TESSALINE_CLI is not set";
    return cli;
}

int status_of(int status) {
    if (WIFEXITED(status)) return WEXITSTATUS(status);
    if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
    return -1;
}

// Takes every byte a pseudo-terminal's other side gives until the program has closed it.
std::string drain(int master) {
    std::string shown;
    char buffer[4096];
    for (;;) {
        ssize_t count = read(master, buffer, sizeof buffer);
        if (count < 0 && errno == EINTR) continue;
        if (count <= 0) break;
        shown.append(buffer, static_cast<size_t>(count));
    }
    return shown;
}

}  // namespace

std::string read_file(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void write_file(const fs::path& path, const std::string& bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

void CliTest::SetUp() {
    std::string pattern = (fs::temp_directory_path() / "tessaline-cli-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    root = pattern;
    work = root / "work";
    io = root / "io";
    fs::create_directories(work);
    fs::create_directories(io);
}

void CliTest::TearDown() {
    std::error_code ignored;
    fs::permissions(root, fs::perms::all, ignored);
    fs::remove_all(root, ignored);
}

std::vector<char*> CliTest::argv_of(const std::vector<std::string>& args) {
    std::vector<char*> argv{const_cast<char*>(cli_path())};
    for (const auto& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    return argv;
}

void CliTest::enter_child(const std::vector<std::string>& environment) {
    if (chdir(work.c_str()) != 0) _exit(127);
    rlimit limit{address_space, address_space};
    if (address_space != 0 && setrlimit(RLIMIT_AS, &limit) != 0) _exit(127);
    unsetenv("LC_ALL");
    unsetenv("LC_MESSAGES");
    setenv("LANG", "C.UTF-8", 1);
    for (const auto& setting : environment) putenv(const_cast<char*>(setting.c_str()));
}

CliResult CliTest::run(const std::vector<std::string>& args, const std::string& input,
                       const std::vector<std::string>& environment, int hang_seconds) {
    if (cli_path() == nullptr) return {-1, "", ""};
    write_file(io / "in", input);
    std::vector<char*> argv = argv_of(args);
    pid_t child = fork();
    if (child == 0) {
        enter_child(environment);
        dup2(open((io / "in").c_str(), O_RDONLY), 0);
        dup2(open((io / "out").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), 1);
        dup2(open((io / "err").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), 2);
        execv(argv[0], argv.data());
        _exit(127);
    }
    return finish(child, hang_seconds);
}

CliResult CliTest::run_on_terminal(const std::vector<std::string>& args, int columns,
                                   const std::vector<std::string>& environment) {
    if (cli_path() == nullptr) return {-1, "", ""};
    std::vector<char*> argv = argv_of(args);
    struct winsize size {};
    size.ws_row = 24;
    size.ws_col = static_cast<unsigned short>(columns);
    int master = -1;
    pid_t child = forkpty(&master, nullptr, nullptr, &size);
    if (child == 0) {
        enter_child(environment);
        execv(argv[0], argv.data());
        _exit(127);
    }
    EXPECT_GT(child, 0) << "no pseudo-terminal";
    if (child < 0) return {-1, "", ""};
    std::string shown = drain(master);
    close(master);
    int status = 0;
    waitpid(child, &status, 0);
    return {status_of(status), shown, ""};
}

pid_t CliTest::start(const std::vector<std::string>& args) {
    write_file(io / "in", "");
    std::vector<char*> argv = argv_of(args);
    pid_t child = fork();
    if (child == 0) {
        enter_child({});
        dup2(open((io / "in").c_str(), O_RDONLY), 0);
        dup2(open((io / "out").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), 1);
        dup2(open((io / "err").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), 2);
        execv(argv[0], argv.data());
        _exit(127);
    }
    return child;
}

CliResult CliTest::finish(pid_t child, int hang_seconds) {
    int status = 0;
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(hang_seconds);
    while (waitpid(child, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            kill(child, SIGKILL);
            waitpid(child, &status, 0);
            ADD_FAILURE() << "the command still ran after " << hang_seconds << " seconds";
            return {-1, read_file(io / "out"), read_file(io / "err")};
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return {status_of(status), read_file(io / "out"), read_file(io / "err")};
}

CliRun run_cli(const fs::path& folder, const std::vector<std::string>& args, const std::string& input) {
    const char* cli = std::getenv("TESSALINE_CLI");
    if (cli == nullptr) return {-1, "", "TESSALINE_CLI is not set"};
    // Standard input, output and error go through files beside the folder, not in it.
    fs::path io = folder.string() + ".io";
    fs::create_directories(io);
    write_file(io / "in", input);
    std::vector<char*> argv{const_cast<char*>(cli)};
    for (const auto& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    pid_t child = fork();
    if (child == 0) {
        if (chdir(folder.c_str()) != 0) _exit(127);
        unsetenv("LC_ALL");
        unsetenv("LC_MESSAGES");
        setenv("LANG", "C.UTF-8", 1);
        dup2(open((io / "in").c_str(), O_RDONLY), 0);
        dup2(open((io / "out").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), 1);
        dup2(open((io / "err").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), 2);
        execv(cli, argv.data());
        _exit(127);
    }
    int status = 0;
    waitpid(child, &status, 0);
    CliRun run{status_of(status), read_file(io / "out"), read_file(io / "err")};
    fs::remove_all(io);
    return run;
}

std::string CliTest::converted(const std::string& cp949_text, const std::vector<std::string>& options) {
    write_file(io / "reference.txt", cp949_text);
    std::vector<std::string> args = options;
    args.push_back("--stdout");
    args.push_back((io / "reference.txt").string());
    CliResult result = run(args);
    EXPECT_EQ(result.status, 0) << result.err;
    return result.out;
}

}  // namespace tessaline
