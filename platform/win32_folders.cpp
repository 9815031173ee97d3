#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/win32_error.h"

namespace tessaline {

struct PlatformFolder {
    std::string path;
    PlatformFileId id;
};

namespace {

bool identity_of(const char* path, BY_HANDLE_FILE_INFORMATION& identity) {
    // Backup semantics let the handle name a folder as well as a file; no access is asked for.
    HANDLE handle = CreateFileA(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return false;
    bool known = GetFileInformationByHandle(handle, &identity) != 0;
    CloseHandle(handle);
    return known;
}

PlatformFileId id_of(const BY_HANDLE_FILE_INFORMATION& identity) {
    return PlatformFileId{identity.dwVolumeSerialNumber,
                          (static_cast<uint64_t>(identity.nFileIndexHigh) << 32) | identity.nFileIndexLow};
}

struct ListedEntry {
    std::string name;
    PlatformEntryKind kind;
    PlatformFileId id;
};

bool is_folder_attribute(DWORD attributes) { return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }

// A junction or a symbolic link to a folder is a reparse point that is also a folder. A folder
// whose identity cannot be read keeps the zero identity.
ListedEntry entry_of(const std::string& prefix, const WIN32_FIND_DATAA& entry) {
    ListedEntry listed{entry.cFileName, PlatformEntryKind::file, PlatformFileId{0, 0}};
    if (!is_folder_attribute(entry.dwFileAttributes)) return listed;
    bool linked = (entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
    listed.kind = linked ? PlatformEntryKind::linked_folder : PlatformEntryKind::folder;
    BY_HANDLE_FILE_INFORMATION identity = {};
    if (identity_of((prefix + entry.cFileName).c_str(), identity)) listed.id = id_of(identity);
    return listed;
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
        win32_fail(PlatformErrorKind::in_the_way);
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
    return first.dwVolumeSerialNumber == second.dwVolumeSerialNumber && first.nFileIndexHigh == second.nFileIndexHigh &&
           first.nFileIndexLow == second.nFileIndexLow;
}

bool platform_is_link(const char* path) {
    DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

bool platform_file_id(const char* path, PlatformFileId* id) {
    BY_HANDLE_FILE_INFORMATION identity = {};
    if (!identity_of(path, identity)) {
        win32_fail_code(GetLastError());
        return false;
    }
    *id = id_of(identity);
    return true;
}

PlatformFolder* platform_open_folder(const char* path) {
    DWORD attributes = GetFileAttributesA(path);
    BY_HANDLE_FILE_INFORMATION identity = {};
    if (attributes == INVALID_FILE_ATTRIBUTES || !identity_of(path, identity)) {
        win32_fail_code(GetLastError());
        return nullptr;
    }
    if (!is_folder_attribute(attributes)) {
        win32_fail_code(ERROR_DIRECTORY);
        return nullptr;
    }
    return new PlatformFolder{path, id_of(identity)};
}

// Windows finds a name from the drive down whatever is held open, so a subfolder is its path.
PlatformFolder* platform_open_subfolder(PlatformFolder* folder, const char* name, bool follow_link) {
    std::string path = folder->path;
    if (!platform_is_separator(path.back()) && path.back() != ':') path += '\\';
    path += name;
    if (!follow_link && platform_is_link(path.c_str())) {
        win32_fail(PlatformErrorKind::not_regular);
        return nullptr;
    }
    return platform_open_folder(path.c_str());
}

PlatformFolder* platform_open_parent(PlatformFolder*) { return nullptr; }

PlatformFileId platform_folder_id(const PlatformFolder* folder) { return folder->id; }

void platform_close_folder(PlatformFolder* folder) { delete folder; }

bool platform_list_entries(PlatformFolder* folder, void (*visit)(void* context, const PlatformEntry& entry),
                           void* context) {
    const std::string& path = folder->path;
    std::string prefix = path.empty() ? std::string(".") : path;
    if (!platform_is_separator(prefix.back()) && prefix.back() != ':') prefix += '\\';
    WIN32_FIND_DATAA entry = {};
    HANDLE search = FindFirstFileA((prefix + "*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) {
        DWORD error = GetLastError();
        // An empty folder has no entry at all, not even "." on some file systems.
        if (error == ERROR_FILE_NOT_FOUND) return true;
        win32_fail_code(error);
        return false;
    }
    std::vector<ListedEntry> entries;
    do {
        std::string name = entry.cFileName;
        if (name != "." && name != "..") entries.push_back(entry_of(prefix, entry));
    } while (FindNextFileA(search, &entry));
    FindClose(search);
    std::sort(entries.begin(), entries.end(),
              [](const ListedEntry& a, const ListedEntry& b) { return a.name < b.name; });
    for (const ListedEntry& listed : entries)
        visit(context, PlatformEntry{listed.name.c_str(), listed.kind, listed.id});
    return true;
}

bool platform_list_folder(const char* folder, void (*visit)(void* context, const char* name, bool is_folder),
                          void* context) {
    PlatformFolder* opened = platform_open_folder(folder[0] == '\0' ? "." : folder);
    if (opened == nullptr) return false;
    struct Forward {
        void (*visit)(void* context, const char* name, bool is_folder);
        void* context;
    } forward{visit, context};
    auto each = [](void* inner, const PlatformEntry& entry) {
        const Forward& to = *static_cast<const Forward*>(inner);
        to.visit(to.context, entry.name, entry.kind != PlatformEntryKind::file);
    };
    bool listed = platform_list_entries(opened, each, &forward);
    platform_close_folder(opened);
    return listed;
}

}  // namespace tessaline
