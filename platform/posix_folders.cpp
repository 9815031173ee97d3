#include <dirent.h>
#include <errno.h>
#include <sys/stat.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/posix_error.h"

bool platform_is_folder(const char* path) {
    struct stat status {};
    return stat(path, &status) == 0 && S_ISDIR(status.st_mode);
}

bool platform_same_file(const char* a, const char* b) {
    struct stat first {}, second {};
    if (stat(a, &first) != 0 || stat(b, &second) != 0) return false;
    return first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

bool platform_list_folder(const char* folder,
                          void (*visit)(void* context, const char* name, bool is_folder),
                          void* context) {
    DIR* listing = opendir(folder);
    if (listing == nullptr) {
        posix_fail_errno(errno);
        return false;
    }
    std::vector<std::string> names;
    while (const dirent* entry = readdir(listing)) {
        std::string name = entry->d_name;
        if (name != "." && name != "..") names.push_back(name);
    }
    closedir(listing);
    std::sort(names.begin(), names.end());
    std::string prefix = folder;
    if (prefix.empty() || prefix.back() != '/') prefix += '/';
    for (const auto& name : names) visit(context, name.c_str(), platform_is_folder((prefix + name).c_str()));
    return true;
}
