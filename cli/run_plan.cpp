#include "cli/run_plan.h"

#include <map>

#include "cli/console_view.h"
#include "pipeline/batch_run.h"
#include "platform/platform.h"

namespace {

enum class PathKind { STDIN, FOLDER, TEXT_FILE, OTHER_FILE, UNREADABLE };

std::string join(const std::string& folder, const std::string& name) {
    if (!folder.empty() && platform_is_separator(folder.back())) return folder + name;
    return folder + platform_separator() + name;
}

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

// Output folders of earlier runs are not converted again.
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

struct Listing {
    std::vector<std::string> files;
    std::vector<std::string> folders;
};

void collect(void* context, const char* name, bool is_folder) {
    Listing& listing = *static_cast<Listing*>(context);
    (is_folder ? listing.folders : listing.files).push_back(name);
}

struct Planner {
    const CliOptions& options;
    FailureReport& failures;
    std::vector<PlannedRun> runs;
    std::map<std::string, std::string> inputs_by_target;   // output path -> the input written there
    size_t planned_files = 0;

    void fail(const std::string& path, const std::string& reason) {
        report_file_failure(failures, path.c_str(), reason.c_str());
    }

    // A file given twice is converted once; two inputs whose results would land on one output
    // path (possible with -o) are not both converted, so neither result is silently lost.
    bool claim(const std::string& input, const std::string& folder, const std::string& name,
               const std::string& output_dir) {
        if (options.to_stdout) return true;
        std::string target = join(output_dir.empty() ? join(folder, "Tessaline") : output_dir, name);
        auto found = inputs_by_target.find(target);
        if (found == inputs_by_target.end()) {
            inputs_by_target.emplace(target, input);
            return true;
        }
        if (!platform_same_file(found->second.c_str(), input.c_str()))
            fail(input, "is not converted: its result '" + target + "' would replace that of '" + found->second + "'");
        return false;
    }

    void add_single(const std::string& path, const std::string& output_dir, bool from_stdin) {
        if (path.size() + 2 > SELECTION_BUFFER_SIZE) return fail(path, "cannot be converted: the path is too long");
        runs.push_back(PlannedRun{"", {path}, output_dir, from_stdin});
        ++planned_files;
    }

    // Splits the names over as many runs as the selection buffer needs.
    void add_multiple(const std::string& folder, const std::vector<std::string>& names, const std::string& output_dir) {
        PlannedRun run{folder, {}, output_dir, false};
        size_t used = folder.size() + 2;
        for (const auto& name : names) {
            if (folder.size() + name.size() + 3 > SELECTION_BUFFER_SIZE) {
                fail(join(folder, name), "cannot be converted: the path is too long");
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

    bool skipped_subfolder(const std::string& name, const std::string& path, const std::vector<std::string>& ancestors) {
        if (is_tessaline_folder(name)) return true;
        if (!options.output_dir.empty() && platform_same_file(path.c_str(), options.output_dir.c_str())) return true;
        for (const auto& ancestor : ancestors)
            if (platform_same_file(path.c_str(), ancestor.c_str())) return true;
        return false;
    }

    void add_folder(const std::string& folder, const std::string& output_dir, std::vector<std::string>& ancestors) {
        Listing listing;
        if (!platform_list_folder(folder.c_str(), collect, &listing))
            return fail(folder, std::string("cannot be listed: ") + platform_error_text());
        std::vector<std::string> names;
        for (const auto& name : listing.files)
            if (passes_text_file_test(name.c_str()) && claim(join(folder, name), folder, name, output_dir))
                names.push_back(name);
        add_multiple(folder, names, output_dir);
        if (!options.recursive) return;
        ancestors.push_back(folder);
        for (const auto& name : listing.folders) {
            std::string path = join(folder, name);
            if (!skipped_subfolder(name, path, ancestors))
                add_folder(path, output_dir.empty() ? "" : join(output_dir, name), ancestors);
        }
        ancestors.pop_back();
    }

    void add_folder_tree(const std::string& path) {
        size_t before = planned_files;
        std::vector<std::string> ancestors;
        add_folder(trimmed_folder(path), options.output_dir, ancestors);
        if (planned_files == before) console_note(*failures.console, "no text files in '" + terminal_path(path) + "'");
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
        report_file_failure(failures, path.c_str(), reason.c_str());
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
