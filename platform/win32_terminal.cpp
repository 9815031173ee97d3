#include <windows.h>

#include "platform/platform.h"

namespace {

// A console, not a file or a pipe; output to a console is what a person reads.
bool is_console(DWORD which) {
    HANDLE handle = GetStdHandle(which);
    DWORD mode = 0;
    return handle != INVALID_HANDLE_VALUE && handle != nullptr && GetFileType(handle) == FILE_TYPE_CHAR &&
           GetConsoleMode(handle, &mode) != 0;
}

}  // namespace

bool platform_stdout_is_terminal() { return is_console(STD_OUTPUT_HANDLE); }

bool platform_stderr_is_terminal() { return is_console(STD_ERROR_HANDLE); }

void platform_local_date(int* year, int* month, int* day) {
    SYSTEMTIME local = {};
    GetLocalTime(&local);
    *year = local.wYear;
    *month = local.wMonth;
    *day = local.wDay;
}
