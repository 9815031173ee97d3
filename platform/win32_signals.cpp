#include "platform/win32_signals.h"

#include <windows.h>

#include <atomic>
#include <cstring>

#include "platform/platform.h"

namespace tessaline {

namespace {

// As many as the files a run writes at once: one for each of the most jobs the command line allows.
constexpr int temporary_slots = 1024;

// The numbers POSIX gives the same events, so that the exit status reads alike: SIGINT for
// Ctrl+C, SIGBREAK (Windows' own) for Ctrl+Break, SIGHUP for a console that is closed.
constexpr int interrupt_signal = 2;
constexpr int break_signal = 21;
constexpr int hangup_signal = 1;

// A slot's path is only read by the handler while the slot is held, and only written while it
// is free.
struct TemporarySlot {
    std::atomic<bool> taken;
    std::atomic<bool> held;
    char path[MAX_PATH];
};

TemporarySlot slots[temporary_slots];

const char* farewell_text = nullptr;

int signal_of(DWORD event) {
    if (event == CTRL_C_EVENT) return interrupt_signal;
    if (event == CTRL_BREAK_EVENT) return break_signal;
    return hangup_signal;
}

// Runs on a thread of its own while the program goes on: a temporary file still being written
// is marked for deletion and goes when the program ends a moment later.
BOOL WINAPI end_on_event(DWORD event) {
    for (TemporarySlot& slot : slots)
        if (slot.held.load()) DeleteFileA(slot.path);
    if (farewell_text != nullptr) {
        DWORD written = 0;
        WriteFile(GetStdHandle(STD_ERROR_HANDLE), farewell_text, static_cast<DWORD>(std::strlen(farewell_text)),
                  &written, nullptr);
    }
    win32_restore_console_code_page();
    ExitProcess(static_cast<UINT>(128 + signal_of(event)));
}

}  // namespace

int win32_hold_temporary(const char* path) {
    if (std::strlen(path) >= MAX_PATH) return -1;
    for (int k = 0; k < temporary_slots; ++k) {
        bool expected = false;
        if (!slots[k].taken.compare_exchange_strong(expected, true)) continue;
        std::strcpy(slots[k].path, path);
        slots[k].held.store(true);
        return k;
    }
    return -1;
}

void win32_release_temporary(int slot) {
    if (slot < 0) return;
    slots[slot].held.store(false);
    slots[slot].taken.store(false);
}

void platform_end_cleanly_on_signals(const char* farewell) {
    farewell_text = farewell;
    SetConsoleCtrlHandler(end_on_event, TRUE);
}

}  // namespace tessaline
