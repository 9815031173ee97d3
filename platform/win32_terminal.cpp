#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cstdlib>

#include "platform/platform.h"
#include "platform/win32_signals.h"

namespace tessaline {

namespace {

// A console, not a file or a pipe; output to a console is what a person reads.
bool is_console(DWORD which) {
    HANDLE handle = GetStdHandle(which);
    DWORD mode = 0;
    return handle != INVALID_HANDLE_VALUE && handle != nullptr && GetFileType(handle) == FILE_TYPE_CHAR &&
           GetConsoleMode(handle, &mode) != 0;
}

// Longer than any status line, so that every text is written to the console in one piece.
constexpr size_t stderr_buffer_size = 4096;

UINT console_code_page = 0;

// Text still held for standard error is UTF-8 and must reach the console before it changes back.
void restore_at_exit() {
    std::fflush(stderr);
    win32_restore_console_code_page();
}

// Ctrl+C ends the program without running the exit handlers; the console must get its page back.
// What is left of the progress line is dropped, as the standard error stream may be in use.
BOOL WINAPI restore_on_interrupt(DWORD) {
    win32_restore_console_code_page();
    return FALSE;
}

}  // namespace

void win32_restore_console_code_page() {
    if (console_code_page != 0) SetConsoleOutputCP(console_code_page);
}

bool platform_stdin_is_terminal() { return is_console(STD_INPUT_HANDLE); }

bool platform_stdout_is_terminal() { return is_console(STD_OUTPUT_HANDLE); }

bool platform_stderr_is_terminal() { return is_console(STD_ERROR_HANDLE); }

// The status texts go to standard error in UTF-8. A console shows them only when it takes UTF-8
// and each text reaches it whole, neither re-encoded by the C library's text mode nor cut into
// single bytes by an unbuffered stream.
void platform_prepare_terminal() {
    if (!is_console(STD_ERROR_HANDLE)) return;
    console_code_page = GetConsoleOutputCP();
    if (console_code_page != CP_UTF8) {
        if (!SetConsoleOutputCP(CP_UTF8)) return;
        std::atexit(restore_at_exit);
        SetConsoleCtrlHandler(restore_on_interrupt, TRUE);
    }
    _setmode(_fileno(stderr), _O_BINARY);
    std::setvbuf(stderr, nullptr, _IOFBF, stderr_buffer_size);
}

int platform_terminal_columns() {
    CONSOLE_SCREEN_BUFFER_INFO info = {};
    if (!is_console(STD_ERROR_HANDLE) || !GetConsoleScreenBufferInfo(GetStdHandle(STD_ERROR_HANDLE), &info)) return 0;
    return info.srWindow.Right - info.srWindow.Left + 1;
}

bool platform_user_wants_korean() { return PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_KOREAN; }

void platform_local_date(int* year, int* month, int* day) {
    SYSTEMTIME local = {};
    GetLocalTime(&local);
    *year = local.wYear;
    *month = local.wMonth;
    *day = local.wDay;
}

}  // namespace tessaline
