#include "platform/posix_signals.h"

#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <climits>
#include <cstring>

#include "platform/platform.h"

namespace tessaline {

namespace {

// As many as the files a run writes at once: one for each of the most jobs the command line allows.
constexpr int temporary_slots = 1024;

// A slot's path is only read by the handler while the slot is marked held, and only written
// while it is free, so the handler never sees half a path.
struct TemporarySlot {
    std::atomic<bool> taken;
    std::atomic<bool> held;
    char path[PATH_MAX];
};

TemporarySlot slots[temporary_slots];

const char* farewell_text = nullptr;

constexpr int ending_signals[] = {SIGINT, SIGTERM, SIGHUP};

// Only async-signal-safe calls: unlink, write, _exit.
void end_on_signal(int number) {
    for (TemporarySlot& slot : slots)
        if (slot.held.load()) unlink(slot.path);
    if (farewell_text != nullptr) {
        ssize_t ignored = write(STDERR_FILENO, farewell_text, std::strlen(farewell_text));
        (void)ignored;
    }
    _exit(128 + number);
}

}  // namespace

int posix_hold_temporary(const char* path) {
    if (std::strlen(path) >= PATH_MAX) return -1;
    for (int k = 0; k < temporary_slots; ++k) {
        bool expected = false;
        if (!slots[k].taken.compare_exchange_strong(expected, true)) continue;
        std::strcpy(slots[k].path, path);
        slots[k].held.store(true);
        return k;
    }
    return -1;
}

void posix_release_temporary(int slot) {
    if (slot < 0) return;
    slots[slot].held.store(false);
    slots[slot].taken.store(false);
}

void platform_end_cleanly_on_signals(const char* farewell) {
    farewell_text = farewell;
    struct sigaction action {};
    action.sa_handler = end_on_signal;
    sigemptyset(&action.sa_mask);
    // A second signal waits until the first has done its cleaning.
    for (int number : ending_signals) sigaddset(&action.sa_mask, number);
    for (int number : ending_signals) {
        // A signal ignored from the start (nohup, a background job) stays ignored.
        struct sigaction before {};
        if (sigaction(number, nullptr, &before) == 0 && before.sa_handler == SIG_IGN) continue;
        sigaction(number, &action, nullptr);
    }
}

}  // namespace tessaline
