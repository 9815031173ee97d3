#include <windows.h>

#include "platform/platform.h"
#include "platform/win32_error.h"
#include "platform/win32_file.h"

namespace tessaline {

bool platform_read_some(PlatformFile* file, void* into, size_t count, size_t* done) {
    DWORD got = 0;
    if (!ReadFile(file->handle, into, chunk_of(count), &got, nullptr)) {
        DWORD error = GetLastError();
        // A pipe whose writer has finished ends the input like the end of a file.
        if (error != ERROR_BROKEN_PIPE) {
            win32_fail_code(error);
            return false;
        }
    }
    *done = got;
    return true;
}

bool platform_rewind(PlatformFile* file) {
    LARGE_INTEGER start = {};
    if (SetFilePointerEx(file->handle, start, nullptr, FILE_BEGIN)) return true;
    win32_fail_code(GetLastError());
    return false;
}

PlatformFile* platform_open_stdin() {
    HANDLE process = GetCurrentProcess();
    HANDLE copy = INVALID_HANDLE_VALUE;
    if (!DuplicateHandle(process, GetStdHandle(STD_INPUT_HANDLE), process, &copy, 0, FALSE, DUPLICATE_SAME_ACCESS)) {
        win32_fail_code(GetLastError());
        return nullptr;
    }
    return new PlatformFile{copy};
}

PlatformFile* platform_open_spool() {
    char folder[MAX_PATH + 1] = {};
    char name[MAX_PATH + 1] = {};
    if (GetTempPathA(sizeof folder, folder) == 0 || GetTempFileNameA(folder, "tsl", 0, name) == 0) {
        win32_fail_code(GetLastError());
        return nullptr;
    }
    // The system removes the file when its last handle closes, however the program ends.
    HANDLE handle = CreateFileA(name, GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        win32_fail_code(GetLastError());
        DeleteFileA(name);
        return nullptr;
    }
    return new PlatformFile{handle};
}

}  // namespace tessaline
