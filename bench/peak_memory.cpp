// Runs a command and prints the largest resident memory it used, in KiB, and how it ended.

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "Usage: peak_memory COMMAND [ARGUMENT...]\n");
        return 2;
    }
    pid_t child = fork();
    if (child < 0) {
        std::perror("peak_memory: fork");
        return 1;
    }
    if (child == 0) {
        execvp(argv[1], argv + 1);
        std::perror("peak_memory: cannot run the command");
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    if (wait4(child, &status, 0, &usage) < 0) {
        std::perror("peak_memory: wait4");
        return 1;
    }
    int code = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    std::printf("peak_kib=%ld exit=%d\n", usage.ru_maxrss, code);
    return code;
}
