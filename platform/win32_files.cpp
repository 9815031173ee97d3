#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/platform.h"
#include "platform/win32_error.h"
#include "platform/win32_signals.h"

struct PlatformFile {
    HANDLE handle;
};

struct PlatformReplacement {
    std::string path;
    std::string temporary;
    HANDLE handle;
    int signal_slot;
    bool written;       // false once a write failed
};

namespace {

// One read or write call never asks for more than this, which every system accepts.
constexpr DWORD IO_CHUNK = DWORD{1} << 30;

DWORD chunk_of(size_t count) { return count < IO_CHUNK ? static_cast<DWORD>(count) : IO_CHUNK; }

bool write_all(HANDLE handle, const void* bytes, size_t count) {
    const auto* at = static_cast<const unsigned char*>(bytes);
    while (count > 0) {
        DWORD done = 0;
        if (!WriteFile(handle, at, chunk_of(count), &done, nullptr)) {
            win32_fail_code(GetLastError());
            return false;
        }
        if (done == 0) {
            win32_fail_text("nothing could be written");
            return false;
        }
        at += done;
        count -= done;
    }
    return true;
}

// Everything up to and including the last separator, or the drive of a path such as "C:a.txt".
std::string folder_prefix_of(const char* path) {
    std::string whole = path;
    size_t last = whole.find_last_of("\\/");
    if (last != std::string::npos) return whole.substr(0, last + 1);
    if (whole.size() >= 2 && whole[1] == ':') return whole.substr(0, 2);
    return "";
}

// A new file beside the target that no other file holds yet, known to the interrupt handler
// before it exists; INVALID_HANDLE_VALUE when none can be made. It may be deleted while open, so
// that an interrupt can remove it.
HANDLE create_temporary(const std::string& folder_prefix, std::string& name, int& signal_slot) {
    static unsigned counter = 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = folder_prefix + ".tessaline-" + std::to_string(GetCurrentProcessId()) + "-" +
               std::to_string(counter++) + ".tmp";
        signal_slot = win32_hold_temporary(name.c_str());
        HANDLE handle = CreateFileA(name.c_str(), GENERIC_WRITE, FILE_SHARE_DELETE, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle != INVALID_HANDLE_VALUE) return handle;
        DWORD error = GetLastError();
        win32_release_temporary(signal_slot);
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) {
            win32_fail_code(error);
            return INVALID_HANDLE_VALUE;
        }
    }
    win32_fail(PlatformErrorKind::no_temporary_name);
    return INVALID_HANDLE_VALUE;
}

PlatformErrorKind kind_of_type(DWORD type) {
    if (type == FILE_TYPE_CHAR) return PlatformErrorKind::device;
    if (type == FILE_TYPE_PIPE) return PlatformErrorKind::fifo;
    return PlatformErrorKind::not_regular;
}

void release(PlatformReplacement* replacement) {
    win32_release_temporary(replacement->signal_slot);
    delete replacement;
}

}  // namespace

PlatformFile* platform_open_existing(const char* path, uint64_t* size) {
    DWORD attributes = GetFileAttributesA(path);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        win32_fail(PlatformErrorKind::is_a_folder);
        return nullptr;
    }
    HANDLE handle = CreateFileA(path, GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        win32_fail_code(GetLastError());
        return nullptr;
    }
    // Devices such as CON or a pipe have no size to read up to.
    LARGE_INTEGER file_size = {};
    DWORD type = GetFileType(handle);
    if (type != FILE_TYPE_DISK || !GetFileSizeEx(handle, &file_size)) {
        win32_fail(kind_of_type(type));
        CloseHandle(handle);
        return nullptr;
    }
    *size = static_cast<uint64_t>(file_size.QuadPart);
    return new PlatformFile{handle};
}

bool platform_read_exact(PlatformFile* file, void* into, size_t count) {
    auto* at = static_cast<unsigned char*>(into);
    while (count > 0) {
        DWORD done = 0;
        if (!ReadFile(file->handle, at, chunk_of(count), &done, nullptr)) {
            win32_fail_code(GetLastError());
            return false;
        }
        if (done == 0) {
            win32_fail(PlatformErrorKind::ended_early);
            return false;
        }
        at += done;
        count -= done;
    }
    return true;
}

void platform_close(PlatformFile* file) {
    CloseHandle(file->handle);
    delete file;
}

bool platform_read_stdin(unsigned char** bytes, size_t* count) {
    HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    size_t capacity = 65536;
    size_t length = 0;
    auto* buffer = static_cast<unsigned char*>(std::malloc(capacity + 1));
    if (buffer == nullptr) std::abort();
    for (;;) {
        if (length == capacity) {
            capacity *= 2;
            auto* grown = static_cast<unsigned char*>(std::realloc(buffer, capacity + 1));
            if (grown == nullptr) std::abort();
            buffer = grown;
        }
        DWORD done = 0;
        if (!ReadFile(input, buffer + length, chunk_of(capacity - length), &done, nullptr)) {
            DWORD error = GetLastError();
            // A pipe whose writer has finished ends the input like the end of a file.
            if (error == ERROR_BROKEN_PIPE) break;
            win32_fail_code(error);
            std::free(buffer);
            return false;
        }
        if (done == 0) break;
        length += done;
    }
    buffer[length] = 0;
    *bytes = buffer;
    *count = length;
    return true;
}

PlatformReplacement* platform_begin_replacement(const char* path) {
    std::string temporary;
    int slot = -1;
    HANDLE handle = create_temporary(folder_prefix_of(path), temporary, slot);
    if (handle == INVALID_HANDLE_VALUE) return nullptr;
    return new PlatformReplacement{path, temporary, handle, slot, true};
}

bool platform_write_replacement(PlatformReplacement* replacement, const void* bytes, size_t count) {
    if (replacement->written) replacement->written = write_all(replacement->handle, bytes, count);
    return replacement->written;
}

// Windows files inherit their access from the folder; there are no permission bits to copy.
bool platform_finish_replacement(PlatformReplacement* replacement, const char*) {
    bool written = replacement->written;
    // The data must be on the disk before the rename makes it the file's only content.
    if (written && !FlushFileBuffers(replacement->handle)) {
        win32_fail_code(GetLastError());
        written = false;
    }
    CloseHandle(replacement->handle);
    if (written && !MoveFileExA(replacement->temporary.c_str(), replacement->path.c_str(),
                                MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        win32_fail_code(GetLastError());
        written = false;
    }
    if (!written) DeleteFileA(replacement->temporary.c_str());
    release(replacement);
    return written;
}

void platform_abandon_replacement(PlatformReplacement* replacement) {
    CloseHandle(replacement->handle);
    DeleteFileA(replacement->temporary.c_str());
    release(replacement);
}

bool platform_replace_file(const char* path, const void* bytes, size_t count) {
    PlatformReplacement* replacement = platform_begin_replacement(path);
    if (replacement == nullptr) return false;
    platform_write_replacement(replacement, bytes, count);
    return platform_finish_replacement(replacement, nullptr);
}

bool platform_write_stdout(const void* bytes, size_t count) {
    std::fflush(stdout);
    return write_all(GetStdHandle(STD_OUTPUT_HANDLE), bytes, count);
}
