#include <windows.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>

#include "platform/platform.h"
#include "platform/win32_error.h"
#include "platform/win32_file.h"
#include "platform/win32_signals.h"

namespace tessaline {

struct PlatformOutput {
    HANDLE handle;
    std::string temporary;
    std::string path;
    int signal_slot;
};

namespace {

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
    // Threads converting files of one folder at once each draw their own numbers.
    static std::atomic<unsigned> counter = 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = folder_prefix + ".tessaline-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(counter++) +
               ".tmp";
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

void release(PlatformOutput* output) {
    win32_release_temporary(output->signal_slot);
    delete output;
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

// Windows files inherit their access from the folder; there are no permission bits to copy.
PlatformOutput* platform_begin_output(const char* path, const char*) {
    std::string temporary;
    int slot = -1;
    HANDLE handle = create_temporary(folder_prefix_of(path), temporary, slot);
    if (handle == INVALID_HANDLE_VALUE) return nullptr;
    return new PlatformOutput{handle, temporary, path, slot};
}

bool platform_write_output(PlatformOutput* output, const void* bytes, size_t count) {
    return write_all(output->handle, bytes, count);
}

bool platform_commit_output(PlatformOutput* output) {
    // The data must be on the disk before the rename makes it the file's only content.
    bool written = true;
    if (!FlushFileBuffers(output->handle)) {
        win32_fail_code(GetLastError());
        written = false;
    }
    CloseHandle(output->handle);
    if (written && !MoveFileExA(output->temporary.c_str(), output->path.c_str(),
                                MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        win32_fail_code(GetLastError());
        written = false;
    }
    if (!written) DeleteFileA(output->temporary.c_str());
    release(output);
    return written;
}

void platform_abandon_output(PlatformOutput* output) {
    CloseHandle(output->handle);
    DeleteFileA(output->temporary.c_str());
    release(output);
}

bool platform_replace_file(const char* path, const void* bytes, size_t count) {
    PlatformOutput* output = platform_begin_output(path, nullptr);
    if (output == nullptr) return false;
    if (platform_write_output(output, bytes, count)) return platform_commit_output(output);
    platform_abandon_output(output);
    return false;
}

bool platform_write_stdout(const void* bytes, size_t count) {
    std::fflush(stdout);
    return write_all(GetStdHandle(STD_OUTPUT_HANDLE), bytes, count);
}

bool platform_write(PlatformFile* file, const void* bytes, size_t count) {
    return write_all(file->handle, bytes, count);
}

}  // namespace tessaline
