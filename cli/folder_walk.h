#pragma once

#include <string>
#include <vector>

#include "platform/platform.h"

namespace tessaline {

// How a folder PATH is walked.
struct WalkRules {
    bool recursive;
    bool follow_links;        // links to folders are entered too (each folder still only once)
    bool skip_output_folder;  // the -o folder, when it lies inside the tree, is not converted
    PlatformFileId output_folder;
};

// The text files found directly in one folder of the tree, and where their results go (empty:
// the Tessaline folder beside them).
struct FolderOfTexts {
    std::string folder;
    std::vector<std::string> names;
    std::string output_dir;
};

struct WalkListener {
    void* context;
    void (*folder_found)(void* context, const FolderOfTexts& found);
    // A folder that cannot be listed, with the platform's error still standing.
    void (*listing_failed)(void* context, const std::string& folder);
};

// Visits the root folder, then (with `recursive`) its subfolders depth first in the order of
// their names, each at most once: never a Tessaline folder, never the -o folder, never a link
// to a folder unless `follow_links`. The time taken grows with the folders and files visited, not
// with the depth of the tree. `output_dir`, when not empty, is mirrored for every subfolder.
void walk_folder_tree(const std::string& root, const std::string& output_dir, const WalkRules& rules,
                      const WalkListener& listener);

// Whether a name is that of the Tessaline folder, in any case.
bool is_tessaline_folder(const std::string& name);

// The folder and the name joined by the system's separator.
std::string joined_path(const std::string& folder, const std::string& name);

}  // namespace tessaline
