#include "cli/folder_walk.h"

#include <set>

#include "pipeline/text_file_name.h"

namespace tessaline {

namespace {

constexpr PlatformFileId unknown_id{0, 0};

struct Subfolder {
    std::string name;
    PlatformEntryKind kind;
    PlatformFileId id;
};

struct Listing {
    std::vector<std::string> texts;
    std::vector<Subfolder> folders;
};

void collect(void* context, const PlatformEntry& entry) {
    Listing& listing = *static_cast<Listing*>(context);
    if (entry.kind != PlatformEntryKind::file) listing.folders.push_back(Subfolder{entry.name, entry.kind, entry.id});
    else if (passes_text_file_test(entry.name)) listing.texts.push_back(entry.name);
}

// A folder the walk is inside, with the subfolders it has still to enter.
struct Level {
    std::string path;
    std::string output_dir;
    PlatformFileId id;
    std::vector<Subfolder> subfolders;
    size_t next = 0;
};

// Goes down and up the tree holding only the folder it is in, so each step is one lookup of one
// name whatever the depth.
struct Walk {
    const WalkRules& rules;
    const WalkListener& listener;
    std::set<PlatformFileId> entered;
    std::vector<Level> levels;
    PlatformFolder* here = nullptr;

    ~Walk() {
        if (here != nullptr) platform_close_folder(here);
    }

    // A folder whose identity is unknown cannot be recognised again and is entered each time it is
    // met (it cannot be part of a loop the walk would notice either way).
    bool first_visit(const PlatformFileId& id) { return id == unknown_id || entered.insert(id).second; }

    bool enters(const Subfolder& subfolder) {
        if (is_tessaline_folder(subfolder.name)) return false;
        if (subfolder.kind == PlatformEntryKind::linked_folder && !rules.follow_links) return false;
        if (rules.skip_output_folder && subfolder.id == rules.output_folder) return false;
        return first_visit(subfolder.id);
    }

    // Lists the folder now held and, with -r, stands in it to enter its subfolders.
    void arrive(const std::string& path, const std::string& output_dir) {
        Listing listing;
        if (!platform_list_entries(here, collect, &listing)) {
            listener.listing_failed(listener.context, path);
            return leave_failed();
        }
        listener.folder_found(listener.context, FolderOfTexts{path, listing.texts, output_dir});
        levels.push_back(Level{path, output_dir, platform_folder_id(here), std::move(listing.folders)});
        if (!rules.recursive) levels.back().subfolders.clear();
    }

    // A folder that could not be listed is not stood in: the walk goes back to the one above.
    void leave_failed() { climb_to(levels.empty() ? nullptr : &levels.back()); }

    // Back up to `level`, found from the folder held; opened by its path should the way up lead
    // elsewhere (a followed link, a folder moved meanwhile).
    void climb_to(const Level* level) {
        PlatformFolder* above = level != nullptr ? platform_open_parent(here) : nullptr;
        if (above != nullptr && !(platform_folder_id(above) == level->id)) {
            platform_close_folder(above);
            above = nullptr;
        }
        if (above == nullptr && level != nullptr) above = platform_open_folder(level->path.c_str());
        platform_close_folder(here);
        here = above;
    }

    void descend(Level& level, const Subfolder& subfolder) {
        std::string path = joined_path(level.path, subfolder.name);
        PlatformFolder* inner = platform_open_subfolder(here, subfolder.name.c_str(), rules.follow_links);
        if (inner == nullptr) return listener.listing_failed(listener.context, path);
        platform_close_folder(here);
        here = inner;
        arrive(path, level.output_dir.empty() ? "" : joined_path(level.output_dir, subfolder.name));
    }

    void run() {
        while (!levels.empty() && here != nullptr) {
            Level& level = levels.back();
            if (level.next < level.subfolders.size()) {
                const Subfolder subfolder = level.subfolders[level.next++];
                if (enters(subfolder)) descend(level, subfolder);
                continue;
            }
            levels.pop_back();
            climb_to(levels.empty() ? nullptr : &levels.back());
        }
    }
};

}  // namespace

void walk_folder_tree(const std::string& root, const std::string& output_dir, const WalkRules& rules,
                      const WalkListener& listener) {
    Walk walk{rules, listener, {}, {}};
    walk.here = platform_open_folder(root.c_str());
    if (walk.here == nullptr) return listener.listing_failed(listener.context, root);
    walk.first_visit(platform_folder_id(walk.here));
    walk.arrive(root, output_dir);
    walk.run();
}

bool is_tessaline_folder(const std::string& name) {
    const char* expected = "tessaline";
    if (name.size() != 9) return false;
    for (size_t k = 0; k < 9; ++k) {
        char c = name[k];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c != expected[k]) return false;
    }
    return true;
}

std::string joined_path(const std::string& folder, const std::string& name) {
    if (!folder.empty() && platform_is_separator(folder.back())) return folder + name;
    return folder + platform_separator() + name;
}

}  // namespace tessaline
