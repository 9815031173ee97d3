#include <windows.h>

#include <cstdio>
#include <cstring>

#include "platform/platform.h"
#include "platform/win32_error.h"

namespace {

// Each thread of a batch keeps its own, so one file's failure is not told as another's.
thread_local char error_text[256] = "no error";

struct ErrorWording {
    DWORD code;
    const char* text;
};

// The same words the POSIX build uses for the failures a user meets, so both explain alike.
const ErrorWording ERROR_WORDINGS[] = {
    {ERROR_FILE_NOT_FOUND, "No such file or directory"},
    {ERROR_PATH_NOT_FOUND, "No such file or directory"},
    {ERROR_INVALID_DRIVE, "No such file or directory"},
    {ERROR_BAD_NETPATH, "No such file or directory"},
    {ERROR_INVALID_NAME, "No such file or directory"},
    {ERROR_ACCESS_DENIED, "Permission denied"},
    {ERROR_SHARING_VIOLATION, "the file is in use by another program"},
    {ERROR_LOCK_VIOLATION, "the file is in use by another program"},
    {ERROR_DISK_FULL, "No space left on device"},
    {ERROR_HANDLE_DISK_FULL, "No space left on device"},
    {ERROR_WRITE_PROTECT, "Read-only file system"},
    {ERROR_FILENAME_EXCED_RANGE, "File name too long"},
    {ERROR_NOT_ENOUGH_MEMORY, "Cannot allocate memory"},
    {ERROR_OUTOFMEMORY, "Cannot allocate memory"},
    {ERROR_DIRECTORY, "Not a directory"},
    {ERROR_ALREADY_EXISTS, "File exists"},
    {ERROR_FILE_EXISTS, "File exists"},
};

}  // namespace

char platform_separator() { return '\\'; }

// CP949 never uses either byte inside a two-byte character, so a byte test is safe.
bool platform_is_separator(char c) { return c == '\\' || c == '/'; }

const char* platform_error_text() { return error_text; }

void win32_fail_code(DWORD error) {
    for (const ErrorWording& wording : ERROR_WORDINGS) {
        if (wording.code == error) {
            win32_fail(wording.text);
            return;
        }
    }
    std::snprintf(error_text, sizeof error_text, "Windows error %lu", static_cast<unsigned long>(error));
}

void win32_fail(const char* text) {
    std::strncpy(error_text, text, sizeof error_text - 1);
    error_text[sizeof error_text - 1] = 0;
}
