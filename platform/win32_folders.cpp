#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/win32_error.h"

namespace {

bool identity_of(const char* path, BY_HANDLE_FILE_INFORMATION& identity) {
    // Backup semantics let the handle name a folder as well as a file; no access is asked for.
    HANDLE handle = CreateFileA(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return false;
    bool known = GetFileInformationByHandle(handle, &identity) != 0;
    CloseHandle(handle);
    return known;
}

}  // namespace

bool platform_is_folder(const char* path) {
    DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool platform_create_folder(const char* path) {
    if (CreateDirectoryA(path, nullptr)) return true;
    DWORD error = GetLastError();
    if (error == ERROR_ALREADY_EXISTS) {
        if (platform_is_folder(path)) return true;
        win32_fail("a file of that name is in the way");
        return false;
    }
    // A drive's root cannot be created but is a folder all the same.
    if (platform_is_folder(path)) return true;
    win32_fail_code(error);
    return false;
}

bool platform_same_file(const char* a, const char* b) {
    BY_HANDLE_FILE_INFORMATION first = {}, second = {};
    if (!identity_of(a, first) || !identity_of(b, second)) return false;
    return first.dwVolumeSerialNumber == second.dwVolumeSerialNumber &&
           first.nFileIndexHigh == second.nFileIndexHigh && first.nFileIndexLow == second.nFileIndexLow;
}

bool platform_list_folder(const char* folder,
                          void (*visit)(void* context, const char* name, bool is_folder),
                          void* context) {
    std::string prefix = folder[0] == '\0' ? std::string(".") : std::string(folder);
    if (!platform_is_separator(prefix.back()) && prefix.back() != ':') prefix += '\\';
    WIN32_FIND_DATAA entry = {};
    HANDLE search = FindFirstFileA((prefix + "*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) {
        DWORD error = GetLastError();
        // An empty folder has no entry at all, not even "." on some file systems.
        if (error == ERROR_FILE_NOT_FOUND && platform_is_folder(folder)) return true;
        win32_fail_code(error);
        return false;
    }
    std::vector<std::pair<std::string, bool>> names;
    do {
        std::string name = entry.cFileName;
        if (name != "." && name != "..")
            names.emplace_back(name, (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0);
    } while (FindNextFileA(search, &entry));
    FindClose(search);
    std::sort(names.begin(), names.end());
    for (const auto& [name, is_folder] : names) visit(context, name.c_str(), is_folder);
    return true;
}
