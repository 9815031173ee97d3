#include <cstring>

#include "platform/platform.h"
#include "platform/posix_error.h"

namespace {

// Each thread of a batch keeps its own, so one file's failure is not told as another's.
thread_local char error_text[256] = "no error";

}  // namespace

char platform_separator() { return '/'; }

bool platform_is_separator(char c) { return c == '/'; }

const char* platform_error_text() { return error_text; }

void posix_fail_errno(int error) { posix_fail(std::strerror(error)); }

void posix_fail(const char* text) {
    std::strncpy(error_text, text, sizeof error_text - 1);
    error_text[sizeof error_text - 1] = 0;
}
