#include "cli/run_plan.h"

#include <map>

#include "cli/console_view.h"
#include "cli/folder_walk.h"
#include "cli/messages.h"
#include "cli/name_quoting.h"
#include "platform/platform.h"

namespace tessaline {

namespace {

enum class PathKind { STDIN, FOLDER, FILE, UNREADABLE };

// Trailing separators go, since the run adds one of its own; a root folder keeps its own.
std::string trimmed_folder(std::string folder) {
    while (folder.size() > 1 && platform_is_separator(folder.back()) && folder[folder.size() - 2] != ':')
        folder.pop_back();
    return folder;
}

// The folder part of a typed file path ("." when it names none) and its file name.
void split_path(const std::string& path, std::string& folder, std::string& name) {
    size_t k = path.size();
    while (k > 0 && !platform_is_separator(path[k - 1])) --k;
    name = path.substr(k);
    folder = k == 0 ? "." : trimmed_folder(path.substr(0, k));
}

// Standard input is named as on the command line.
constexpr char standard_input_name[] = "-";

struct Planner {
    const CliOptions& options;
    ConsoleView& console;
    std::vector<BatchFile> files;
    std::map<std::string, std::string> inputs_by_target;  // output path -> the input written there

    void fail(const std::string& path, const std::string& reason) { console.report_failure(path, reason); }

    // A file given twice is converted once; two inputs whose results would land on one output
    // path (possible with -o) are not both converted, so neither result is silently lost.
    bool claim(const std::string& input, const std::string& folder, const std::string& name,
               const std::string& output_dir) {
        if (options.to_stdout) return true;
        std::string target = joined_path(output_dir.empty() ? joined_path(folder, "Tessaline") : output_dir, name);
        auto found = inputs_by_target.find(target);
        if (found == inputs_by_target.end()) {
            inputs_by_target.emplace(target, input);
            return true;
        }
        if (!platform_same_file(found->second.c_str(), input.c_str()))
            fail(input, message(Text::would_replace_result,
                                {quoted_name(terminal_path(target)), quoted_name(terminal_path(found->second))}));
        return false;
    }

    void add_file(const std::string& path) {
        std::string folder, name;
        split_path(path, folder, name);
        if (claim(path, folder, name, options.output_dir)) files.push_back(BatchFile{path, options.output_dir, false});
    }

    void add_folder(const FolderOfTexts& found) {
        for (const auto& name : found.names) {
            std::string path = joined_path(found.folder, name);
            if (claim(path, found.folder, name, found.output_dir))
                files.push_back(BatchFile{path, found.output_dir, false});
        }
    }

    WalkRules walk_rules() const {
        WalkRules rules{options.recursive, options.follow_links, false, {0, 0}};
        if (!options.output_dir.empty())
            rules.skip_output_folder = platform_file_id(options.output_dir.c_str(), &rules.output_folder);
        return rules;
    }

    // A folder that yields no text file at all is a PATH with nothing to convert.
    void add_folder_tree(const std::string& path) {
        size_t before = files.size();
        int failures_before = console.failures();
        WalkListener listener{
            this, [](void* planner, const FolderOfTexts& found) { static_cast<Planner*>(planner)->add_folder(found); },
            [](void* planner, const std::string& folder) {
                std::string reason = message(Text::cannot_list, {platform_reason()});
                static_cast<Planner*>(planner)->fail(folder, reason);
            }};
        walk_folder_tree(trimmed_folder(path), options.output_dir, walk_rules(), listener);
        if (files.size() == before && console.failures() == failures_before)
            fail(path, message(Text::nothing_to_convert));
    }
};

// Files that cannot be opened are named now, in the order given, and left out of the batch.
PathKind classify(const std::string& path, ConsoleView& console) {
    if (path == "-") return PathKind::STDIN;
    if (platform_is_folder(path.c_str())) return PathKind::FOLDER;
    uint64_t size = 0;
    PlatformFile* file = platform_open_existing(path.c_str(), &size);
    if (file == nullptr) {
        console.report_failure(path, std::string("cannot be opened: ") + platform_error_text());
        return PathKind::UNREADABLE;
    }
    platform_close(file);
    return PathKind::FILE;
}

}  // namespace

std::vector<BatchFile> plan_files(const CliOptions& options, ConsoleView& console) {
    std::vector<PathKind> kinds;
    for (const auto& path : options.paths) kinds.push_back(classify(path, console));
    Planner planner{options, console, {}, {}};
    for (size_t k = 0; k < options.paths.size(); ++k) {
        switch (kinds[k]) {
        case PathKind::STDIN: planner.files.push_back(BatchFile{standard_input_name, "", true}); break;
        case PathKind::FOLDER: planner.add_folder_tree(options.paths[k]); break;
        case PathKind::FILE: planner.add_file(options.paths[k]); break;
        case PathKind::UNREADABLE: break;
        }
    }
    return planner.files;
}

}  // namespace tessaline
