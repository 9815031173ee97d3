#include <sys/ioctl.h>
#include <time.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <initializer_list>

#include "platform/platform.h"

namespace tessaline {

bool platform_stdin_is_terminal() { return isatty(STDIN_FILENO) == 1; }

bool platform_stdout_is_terminal() { return isatty(STDOUT_FILENO) == 1; }

bool platform_stderr_is_terminal() { return isatty(STDERR_FILENO) == 1; }

int platform_terminal_columns() {
    struct winsize size {};
    if (ioctl(STDERR_FILENO, TIOCGWINSZ, &size) != 0) return 0;
    return size.ws_col;
}

// The locale's language as the C library would choose it: LC_ALL, then LC_MESSAGES, then LANG.
bool platform_user_wants_korean() {
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && value[0] != 0) return std::strncmp(value, "ko", 2) == 0;
    }
    return false;
}

void platform_prepare_terminal() {}

void platform_local_date(int* year, int* month, int* day) {
    time_t now = time(nullptr);
    struct tm local {};
    localtime_r(&now, &local);
    *year = local.tm_year + 1900;
    *month = local.tm_mon + 1;
    *day = local.tm_mday;
}

}  // namespace tessaline
