#include "platform/posix_signals.h"

#include <signal.h>
#include <unistd.h>

#include <climits>
#include <cstring>

#include "platform/platform.h"
#include "platform/temporary_slots.h"

namespace tessaline {

namespace {

TemporarySlots<PATH_MAX> temporaries;

const char* farewell_text = nullptr;

constexpr int ending_signals[] = {SIGINT, SIGTERM, SIGHUP};

// Only async-signal-safe calls: unlink, write, _exit.
void end_on_signal(int number) {
    temporaries.remove_held([](const char* path) { unlink(path); });
    if (farewell_text != nullptr) {
        ssize_t ignored = write(STDERR_FILENO, farewell_text, std::strlen(farewell_text));
        (void)ignored;
    }
    _exit(128 + number);
}

}  // namespace

int posix_hold_temporary(const char* path) { return temporaries.hold(path); }

void posix_release_temporary(int slot) { temporaries.release(slot); }

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
