#include "cli/run_plan.h"

#include <map>

#include "cli/console_view.h"
#include "cli/folder_walk.h"
#include "cli/messages.h"
#include "cli/name_quoting.h"
#include "cli/reason_wording.h"
#include "pipeline/batch_run.h"
#include "platform/platform.h"

namespace {

enum class PathKind { STDIN, FOLDER, TEXT_FILE, OTHER_FILE, UNREADABLE };

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

struct Planner {
    const CliOptions& options;
    FailureReport& failures;
    std::vector<PlannedRun> runs;
    std::map<std::string, std::string> inputs_by_target;   // output path -> the input written there
    size_t planned_files = 0;

    void fail(const std::string& path, const std::string& reason) {
        report_file_failure(failures, path, reason);
    }

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
            fail(input, message(Text::would_replace_result, {quoted_name(terminal_path(target)), quoted_name(terminal_path(found->second))}));
        return false;
    }

    void add_single(const std::string& path, const std::string& output_dir, bool from_stdin) {
        if (path.size() + 2 > SELECTION_BUFFER_SIZE) return fail(path, message(Text::path_too_long));
        runs.push_back(PlannedRun{"", {path}, output_dir, from_stdin});
        ++planned_files;
    }

    // Splits the names over as many runs as the selection buffer needs.
    void add_multiple(const std::string& folder, const std::vector<std::string>& names, const std::string& output_dir) {
        PlannedRun run{folder, {}, output_dir, false};
        size_t used = folder.size() + 2;
        for (const auto& name : names) {
            if (folder.size() + name.size() + 3 > SELECTION_BUFFER_SIZE) {
                fail(joined_path(folder, name), message(Text::path_too_long));
                continue;
            }
            if (used + name.size() + 1 > SELECTION_BUFFER_SIZE) {
                runs.push_back(run);
                run.names.clear();
                used = folder.size() + 2;
            }
            run.names.push_back(name);
            used += name.size() + 1;
            ++planned_files;
        }
        if (!run.names.empty()) runs.push_back(run);
    }

    // The text files given by name from one folder, gathered into one selection.
    void add_file_group(size_t first, const std::vector<PathKind>& kinds, std::vector<bool>& done) {
        std::string folder, name;
        split_path(options.paths[first], folder, name);
        std::vector<std::string> names;
        std::string last_path;
        for (size_t k = first; k < options.paths.size(); ++k) {
            std::string other_folder, other_name;
            split_path(options.paths[k], other_folder, other_name);
            if (done[k] || kinds[k] != PathKind::TEXT_FILE || other_folder != folder) continue;
            done[k] = true;
            if (!claim(options.paths[k], folder, other_name, options.output_dir)) continue;
            names.push_back(other_name);
            last_path = options.paths[k];
        }
        if (names.size() == 1) add_single(last_path, options.output_dir, false);
        else add_multiple(folder, names, options.output_dir);
    }

    void add_other_file(const std::string& path) {
        std::string folder, name;
        split_path(path, folder, name);
        if (claim(path, folder, name, options.output_dir)) add_single(path, options.output_dir, false);
    }

    void add_folder(const FolderOfTexts& found) {
        std::vector<std::string> names;
        for (const auto& name : found.names)
            if (claim(joined_path(found.folder, name), found.folder, name, found.output_dir)) names.push_back(name);
        add_multiple(found.folder, names, found.output_dir);
    }

    WalkRules walk_rules() const {
        WalkRules rules{options.recursive, options.follow_links, false, {0, 0}};
        if (!options.output_dir.empty())
            rules.skip_output_folder = platform_file_id(options.output_dir.c_str(), &rules.output_folder);
        return rules;
    }

    // A folder that yields no text file at all is a PATH with nothing to convert.
    void add_folder_tree(const std::string& path) {
        size_t before = planned_files;
        int failures_before = failures.count;
        WalkListener listener{this,
                              [](void* planner, const FolderOfTexts& found) {
                                  static_cast<Planner*>(planner)->add_folder(found);
                              },
                              [](void* planner, const std::string& folder) {
                                  static_cast<Planner*>(planner)->fail(folder, message(Text::cannot_list, {platform_reason()}));
                              }};
        walk_folder_tree(trimmed_folder(path), options.output_dir, walk_rules(), listener);
        if (planned_files == before && failures.count == failures_before) fail(path, message(Text::nothing_to_convert));
    }
};

// Files that cannot be opened are named now, in the order given, and left out of every run.
PathKind classify(const std::string& path, FailureReport& failures) {
    if (path == "-") return PathKind::STDIN;
    if (platform_is_folder(path.c_str())) return PathKind::FOLDER;
    uint64_t size = 0;
    PlatformFile* file = platform_open_existing(path.c_str(), &size);
    if (file == nullptr) {
        std::string reason = std::string("cannot be opened: ") + platform_error_text();
        report_file_failure(failures, path, reason_in_run_language(reason));
        return PathKind::UNREADABLE;
    }
    platform_close(file);
    std::string folder, name;
    split_path(path, folder, name);
    return passes_text_file_test(name.c_str()) ? PathKind::TEXT_FILE : PathKind::OTHER_FILE;
}

}  // namespace

std::vector<PlannedRun> plan_runs(const CliOptions& options, FailureReport& failures) {
    std::vector<PathKind> kinds;
    for (const auto& path : options.paths) kinds.push_back(classify(path, failures));
    Planner planner{options, failures, {}, {}};
    std::vector<bool> done(options.paths.size(), false);
    for (size_t k = 0; k < options.paths.size(); ++k) {
        if (done[k]) continue;
        switch (kinds[k]) {
        case PathKind::STDIN: planner.add_single(options.paths[k], "", true); break;
        case PathKind::FOLDER: planner.add_folder_tree(options.paths[k]); break;
        case PathKind::TEXT_FILE: planner.add_file_group(k, kinds, done); break;
        case PathKind::OTHER_FILE: planner.add_other_file(options.paths[k]); break;
        case PathKind::UNREADABLE: break;
        }
    }
    return planner.runs;
}
