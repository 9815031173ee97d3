#include "cli/run_plan.h"

#include <map>

#include "cli/console_view.h"
#include "pipeline/text_file_name.h"
#include "platform/platform.h"

namespace {

enum class PathKind { STDIN, FOLDER, FILE, UNREADABLE };

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

constexpr char STANDARD_INPUT_NAME[] = "standard input";

struct Planner {
    const CliOptions& options;
    ConsoleView& console;
    std::vector<BatchFile> files;
    std::map<std::string, std::string> inputs_by_target;   // output path -> the input written there

    void fail(const std::string& path, const std::string& reason) { console.report_failure(path, reason); }

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

    void add_file(const std::string& path) {
        std::string folder, name;
        split_path(path, folder, name);
        if (claim(path, folder, name, options.output_dir)) files.push_back(BatchFile{path, options.output_dir, false});
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
        for (const auto& name : listing.files) {
            std::string path = join(folder, name);
            if (passes_text_file_test(name.c_str()) && claim(path, folder, name, output_dir))
                files.push_back(BatchFile{path, output_dir, false});
        }
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
        size_t before = files.size();
        std::vector<std::string> ancestors;
        add_folder(trimmed_folder(path), options.output_dir, ancestors);
        if (files.size() == before) console.note("no text files in '" + terminal_path(path) + "'");
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
        case PathKind::STDIN: planner.files.push_back(BatchFile{STANDARD_INPUT_NAME, "", true}); break;
        case PathKind::FOLDER: planner.add_folder_tree(options.paths[k]); break;
        case PathKind::FILE: planner.add_file(options.paths[k]); break;
        case PathKind::UNREADABLE: break;
        }
    }
    return planner.files;
}
