// Runs a command, as often as asked, and prints how the median run by wall time went: its wall,
// user and system seconds, its page faults and how it ended, with the largest resident memory of
// all runs in KiB.

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace tessaline {

namespace {

struct Run {
    double seconds = 0;
    rusage usage{};
    int code = 0;
};

double now() {
    timespec at{};
    clock_gettime(CLOCK_MONOTONIC, &at);
    return static_cast<double>(at.tv_sec) + static_cast<double>(at.tv_nsec) / 1e9;
}

double seconds_of(const timeval& time) {
    return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_usec) / 1e6;
}

// False when the command could not be started or waited for.
bool run_once(char** command, bool discard_output, Run& run) {
    double start = now();
    pid_t child = fork();
    if (child < 0) {
        std::perror("peak_memory: fork");
        return false;
    }
    if (child == 0) {
        if (discard_output) {
            int null_device = open("/dev/null", O_WRONLY);
            if (null_device < 0 || dup2(null_device, STDOUT_FILENO) < 0) _exit(127);
        }
        execvp(command[0], command);
        std::perror("peak_memory: cannot run the command");
        _exit(127);
    }
    int status = 0;
    if (wait4(child, &status, 0, &run.usage) < 0) {
        std::perror("peak_memory: wait4");
        return false;
    }
    run.seconds = now() - start;
    run.code = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return true;
}

int usage_error() {
    std::fprintf(stderr, "Usage: peak_memory [--runs N] [--discard-output] COMMAND [ARGUMENT...]\n");
    return 2;
}

}  // namespace

int measure_peak_memory(int argc, char** argv) {
    int runs = 1;
    bool discard_output = false;
    int first = 1;
    for (; first < argc && argv[first][0] == '-'; ++first) {
        if (std::strcmp(argv[first], "--discard-output") == 0) discard_output = true;
        else if (std::strcmp(argv[first], "--runs") == 0 && first + 1 < argc) runs = std::atoi(argv[++first]);
        else return usage_error();
    }
    if (first >= argc || runs < 1) return usage_error();
    std::vector<Run> done(static_cast<size_t>(runs));
    for (Run& run : done)
        if (!run_once(argv + first, discard_output, run)) return 1;
    long peak = 0;
    for (const Run& run : done) peak = std::max(peak, run.usage.ru_maxrss);
    std::sort(done.begin(), done.end(), [](const Run& a, const Run& b) { return a.seconds < b.seconds; });
    const Run& median = done[done.size() / 2];
    std::printf("peak_kib=%ld exit=%d seconds=%.4f user=%.4f system=%.4f minor_faults=%ld major_faults=%ld\n", peak,
                median.code, median.seconds, seconds_of(median.usage.ru_utime), seconds_of(median.usage.ru_stime),
                median.usage.ru_minflt, median.usage.ru_majflt);
    return median.code;
}

}  // namespace tessaline

int main(int argc, char** argv) { return tessaline::measure_peak_memory(argc, argv); }
