#include "platform/win32_signals.h"

#include <windows.h>

#include <cstring>

#include "platform/platform.h"
#include "platform/temporary_slots.h"

namespace tessaline {

namespace {

// The numbers POSIX gives the same events, so that the exit status reads alike: SIGINT for
// Ctrl+C, SIGBREAK (Windows' own) for Ctrl+Break, SIGHUP for a console that is closed.
constexpr int interrupt_signal = 2;
constexpr int break_signal = 21;
constexpr int hangup_signal = 1;

TemporarySlots<MAX_PATH> temporaries;

const char* farewell_text = nullptr;

int signal_of(DWORD event) {
    if (event == CTRL_C_EVENT) return interrupt_signal;
    if (event == CTRL_BREAK_EVENT) return break_signal;
    return hangup_signal;
}

// Runs on a thread of its own while the program goes on: a temporary file still being written
// is marked for deletion and goes when the program ends a moment later.
BOOL WINAPI end_on_event(DWORD event) {
    temporaries.remove_held([](const char* path) { DeleteFileA(path); });
    if (farewell_text != nullptr) {
        DWORD written = 0;
        WriteFile(GetStdHandle(STD_ERROR_HANDLE), farewell_text, static_cast<DWORD>(std::strlen(farewell_text)),
                  &written, nullptr);
    }
    win32_restore_console_code_page();
    ExitProcess(static_cast<UINT>(128 + signal_of(event)));
}

}  // namespace

int win32_hold_temporary(const char* path) { return temporaries.hold(path); }

void win32_release_temporary(int slot) { temporaries.release(slot); }

void platform_end_cleanly_on_signals(const char* farewell) {
    farewell_text = farewell;
    SetConsoleCtrlHandler(end_on_event, TRUE);
}

}  // namespace tessaline
