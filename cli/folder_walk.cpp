#include "cli/folder_walk.h"

#include <set>

#include "pipeline/text_file_name.h"

namespace {

constexpr PlatformFileId UNKNOWN_ID{0, 0};

struct PendingFolder {
    std::string path;
    std::string output_dir;
};

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

struct Walk {
    const WalkRules& rules;
    const WalkListener& listener;
    std::set<PlatformFileId> entered;
    std::vector<PendingFolder> pending;

    // Enters a folder once; a folder whose identity is unknown cannot be recognised again and is
    // entered each time it is met (it cannot be part of a loop the walk would notice either way).
    bool first_visit(const PlatformFileId& id) { return id == UNKNOWN_ID || entered.insert(id).second; }

    bool enters(const Subfolder& subfolder) {
        if (is_tessaline_folder(subfolder.name)) return false;
        if (subfolder.kind == PlatformEntryKind::linked_folder && !rules.follow_links) return false;
        if (rules.skip_output_folder && subfolder.id == rules.output_folder) return false;
        return first_visit(subfolder.id);
    }

    void visit(const PendingFolder& folder) {
        Listing listing;
        if (!platform_list_entries(folder.path.c_str(), collect, &listing)) {
            listener.listing_failed(listener.context, folder.path);
            return;
        }
        listener.folder_found(listener.context, FolderOfTexts{folder.path, listing.texts, folder.output_dir});
        if (!rules.recursive) return;
        // Pushed last to first, so the first name is visited next.
        for (size_t k = listing.folders.size(); k > 0; --k) {
            const Subfolder& subfolder = listing.folders[k - 1];
            if (!enters(subfolder)) continue;
            std::string output_dir = folder.output_dir.empty() ? "" : joined_path(folder.output_dir, subfolder.name);
            pending.push_back(PendingFolder{joined_path(folder.path, subfolder.name), output_dir});
        }
    }
};

}  // namespace

void walk_folder_tree(const std::string& root, const std::string& output_dir, const WalkRules& rules,
                      const WalkListener& listener) {
    Walk walk{rules, listener, {}, {}};
    PlatformFileId root_id = UNKNOWN_ID;
    if (platform_file_id(root.c_str(), &root_id)) walk.first_visit(root_id);
    walk.pending.push_back(PendingFolder{root, output_dir});
    while (!walk.pending.empty()) {
        PendingFolder folder = std::move(walk.pending.back());
        walk.pending.pop_back();
        walk.visit(folder);
    }
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
