#include <time.h>
#include <unistd.h>

#include "platform/platform.h"

bool platform_stdout_is_terminal() { return isatty(STDOUT_FILENO) == 1; }

bool platform_stderr_is_terminal() { return isatty(STDERR_FILENO) == 1; }

void platform_prepare_terminal() {}

void platform_local_date(int* year, int* month, int* day) {
    time_t now = time(nullptr);
    struct tm local {};
    localtime_r(&now, &local);
    *year = local.tm_year + 1900;
    *month = local.tm_mon + 1;
    *day = local.tm_mday;
}
