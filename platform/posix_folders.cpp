#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/posix_error.h"

namespace tessaline {

struct PlatformFolder {
    int descriptor;
    PlatformFileId id;
};

namespace {

constexpr int folder_flags = O_RDONLY | O_DIRECTORY | O_CLOEXEC;

PlatformFileId id_of(const struct stat& status) {
    return PlatformFileId{static_cast<uint64_t>(status.st_dev), static_cast<uint64_t>(status.st_ino)};
}

PlatformFolder* folder_of(int descriptor) {
    struct stat status {};
    if (descriptor < 0 || fstat(descriptor, &status) != 0) {
        posix_fail_errno(errno);
        if (descriptor >= 0) close(descriptor);
        return nullptr;
    }
    return new PlatformFolder{descriptor, id_of(status)};
}

struct ListedEntry {
    std::string name;
    PlatformEntryKind kind;
    PlatformFileId id;
};

// Looked up relative to the open folder, so the cost does not grow with the depth of its path.
// An entry that vanished or cannot be looked at counts as a file, whose opening will say why.
ListedEntry entry_in(int folder, const dirent& entry) {
    ListedEntry listed{entry.d_name, PlatformEntryKind::file, PlatformFileId{0, 0}};
    if (entry.d_type != DT_DIR && entry.d_type != DT_LNK && entry.d_type != DT_UNKNOWN) return listed;
    struct stat status {};
    if (fstatat(folder, entry.d_name, &status, AT_SYMLINK_NOFOLLOW) != 0) return listed;
    if (S_ISDIR(status.st_mode)) {
        listed.kind = PlatformEntryKind::folder;
        listed.id = id_of(status);
    } else if (S_ISLNK(status.st_mode) && fstatat(folder, entry.d_name, &status, 0) == 0 && S_ISDIR(status.st_mode)) {
        listed.kind = PlatformEntryKind::linked_folder;
        listed.id = id_of(status);
    }
    return listed;
}

}  // namespace

bool platform_is_folder(const char* path) {
    struct stat status {};
    return stat(path, &status) == 0 && S_ISDIR(status.st_mode);
}

bool platform_is_link(const char* path) {
    struct stat status {};
    return lstat(path, &status) == 0 && S_ISLNK(status.st_mode);
}

bool platform_same_file(const char* a, const char* b) {
    struct stat first {
    }, second{};
    if (stat(a, &first) != 0 || stat(b, &second) != 0) return false;
    return first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

bool platform_file_id(const char* path, PlatformFileId* id) {
    struct stat status {};
    if (stat(path, &status) != 0) {
        posix_fail_errno(errno);
        return false;
    }
    *id = id_of(status);
    return true;
}

PlatformFolder* platform_open_folder(const char* path) { return folder_of(open(path, folder_flags)); }

PlatformFolder* platform_open_subfolder(PlatformFolder* folder, const char* name, bool follow_link) {
    return folder_of(openat(folder->descriptor, name, folder_flags | (follow_link ? 0 : O_NOFOLLOW)));
}

PlatformFolder* platform_open_parent(PlatformFolder* folder) {
    return folder_of(openat(folder->descriptor, "..", folder_flags));
}

PlatformFileId platform_folder_id(const PlatformFolder* folder) { return folder->id; }

void platform_close_folder(PlatformFolder* folder) {
    close(folder->descriptor);
    delete folder;
}

bool platform_list_entries(PlatformFolder* folder, void (*visit)(void* context, const PlatformEntry& entry),
                           void* context) {
    // The listing reads through a copy of the descriptor, which closing the listing closes.
    int copy = dup(folder->descriptor);
    DIR* listing = copy >= 0 ? fdopendir(copy) : nullptr;
    if (listing == nullptr) {
        posix_fail_errno(errno);
        if (copy >= 0) close(copy);
        return false;
    }
    rewinddir(listing);
    std::vector<ListedEntry> entries;
    while (const dirent* entry = readdir(listing)) {
        std::string name = entry->d_name;
        if (name != "." && name != "..") entries.push_back(entry_in(dirfd(listing), *entry));
    }
    closedir(listing);
    std::sort(entries.begin(), entries.end(),
              [](const ListedEntry& a, const ListedEntry& b) { return a.name < b.name; });
    for (const ListedEntry& entry : entries) visit(context, PlatformEntry{entry.name.c_str(), entry.kind, entry.id});
    return true;
}

bool platform_list_folder(const char* folder, void (*visit)(void* context, const char* name, bool is_folder),
                          void* context) {
    PlatformFolder* opened = platform_open_folder(folder);
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
