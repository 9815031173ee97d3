#include <windows.h>

#include <cstdio>
#include <cstring>

#include "platform/platform.h"
#include "platform/win32_error.h"

namespace tessaline {

namespace {

// Each thread of a batch keeps its own, so one file's failure is not told as another's.
thread_local char error_text[256] = "no error";
thread_local PlatformErrorKind error_kind = PlatformErrorKind::other;

struct ErrorWording {
    DWORD code;
    const char* text;
    PlatformErrorKind kind;
};

// The same words the POSIX build uses for the failures a user meets, so both explain alike.
const ErrorWording error_wordings[] = {
    {ERROR_FILE_NOT_FOUND, "No such file or directory", PlatformErrorKind::missing},
    {ERROR_PATH_NOT_FOUND, "No such file or directory", PlatformErrorKind::missing},
    {ERROR_INVALID_DRIVE, "No such file or directory", PlatformErrorKind::missing},
    {ERROR_BAD_NETPATH, "No such file or directory", PlatformErrorKind::missing},
    {ERROR_INVALID_NAME, "No such file or directory", PlatformErrorKind::missing},
    {ERROR_ACCESS_DENIED, "Permission denied", PlatformErrorKind::no_permission},
    {ERROR_SHARING_VIOLATION, "the file is in use by another program", PlatformErrorKind::in_use},
    {ERROR_LOCK_VIOLATION, "the file is in use by another program", PlatformErrorKind::in_use},
    {ERROR_DISK_FULL, "No space left on device", PlatformErrorKind::no_space},
    {ERROR_HANDLE_DISK_FULL, "No space left on device", PlatformErrorKind::no_space},
    {ERROR_WRITE_PROTECT, "Read-only file system", PlatformErrorKind::read_only},
    {ERROR_FILENAME_EXCED_RANGE, "File name too long", PlatformErrorKind::name_too_long},
    {ERROR_NOT_ENOUGH_MEMORY, "Cannot allocate memory", PlatformErrorKind::out_of_memory},
    {ERROR_OUTOFMEMORY, "Cannot allocate memory", PlatformErrorKind::out_of_memory},
    {ERROR_TOO_MANY_OPEN_FILES, "Too many open files", PlatformErrorKind::too_many_open},
    {ERROR_CRC, "Input/output error", PlatformErrorKind::io_error},
    {ERROR_DIRECTORY, "Not a directory", PlatformErrorKind::not_a_folder},
    {ERROR_ALREADY_EXISTS, "File exists", PlatformErrorKind::in_the_way},
    {ERROR_FILE_EXISTS, "File exists", PlatformErrorKind::in_the_way},
    {ERROR_CANT_RESOLVE_FILENAME, "Too many levels of symbolic links", PlatformErrorKind::link_loop},
};

// The layer's own failures, in the words the POSIX build uses.
struct OwnWording {
    PlatformErrorKind kind;
    const char* text;
};

const OwnWording own_wordings[] = {
    {PlatformErrorKind::is_a_folder, "it is a folder, not a file"},
    {PlatformErrorKind::fifo, "it is a FIFO (named pipe), not a regular file"},
    {PlatformErrorKind::device, "it is a device, not a regular file"},
    {PlatformErrorKind::not_regular, "it is not a regular file"},
    {PlatformErrorKind::in_the_way, "a file of that name is in the way"},
    {PlatformErrorKind::ended_early, "the file ended before its reported size"},
    {PlatformErrorKind::no_temporary_name, "no free name for a temporary file"},
};

void keep_text(const char* text) {
    std::strncpy(error_text, text, sizeof error_text - 1);
    error_text[sizeof error_text - 1] = 0;
}

}  // namespace

char platform_separator() { return '\\'; }

// CP949 never uses either byte inside a two-byte character, so a byte test is safe.
bool platform_is_separator(char c) { return c == '\\' || c == '/'; }

const char* platform_error_text() { return error_text; }

PlatformErrorKind platform_error_kind() { return error_kind; }

PlatformErrorKind platform_error_kind_of(const char* text) {
    for (const OwnWording& wording : own_wordings)
        if (std::strcmp(wording.text, text) == 0) return wording.kind;
    for (const ErrorWording& wording : error_wordings)
        if (std::strcmp(wording.text, text) == 0) return wording.kind;
    return PlatformErrorKind::other;
}

void win32_fail_code(DWORD error) {
    for (const ErrorWording& wording : error_wordings) {
        if (wording.code == error) {
            keep_text(wording.text);
            error_kind = wording.kind;
            return;
        }
    }
    std::snprintf(error_text, sizeof error_text, "Windows error %lu", static_cast<unsigned long>(error));
    error_kind = PlatformErrorKind::other;
}

void win32_fail(PlatformErrorKind kind) {
    error_kind = kind;
    for (const OwnWording& wording : own_wordings)
        if (wording.kind == kind) keep_text(wording.text);
}

void win32_fail_text(const char* text) {
    keep_text(text);
    error_kind = PlatformErrorKind::other;
}

}  // namespace tessaline
