#include "dictionary/dictionary_search.h"

namespace tessaline {

namespace {

// The Korean dictionary's base names, as Debian and other systems install it.
constexpr const char* base_names[] = {"ko", "ko_KR"};

// Hunspell's own search path, and the folders of package managers beside it.
constexpr const char* system_folders[] = {
    "/usr/share/hunspell",      "/usr/local/share/hunspell",    "/usr/share/myspell", "/usr/share/myspell/dicts",
    "/usr/local/share/myspell", "/opt/homebrew/share/hunspell", "/Library/Spelling",
};

bool ends_with(const std::string& text, const std::string& end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

std::string joined(const std::string& folder, const std::string& name) {
    return folder.empty() || folder.back() == '/' ? folder + name : folder + "/" + name;
}

}  // namespace

std::vector<std::string> dictionary_folders(const char* dicpath) {
    std::vector<std::string> folders;
    std::string paths = dicpath != nullptr ? dicpath : "";
    for (size_t start = 0; start < paths.size();) {
        size_t colon = paths.find(':', start);
        if (colon == std::string::npos) colon = paths.size();
        if (colon > start) folders.push_back(paths.substr(start, colon - start));
        start = colon + 1;
    }
    folders.insert(folders.end(), std::begin(system_folders), std::end(system_folders));
    return folders;
}

std::optional<DictionaryFiles> dictionary_in(const std::string& folder,
                                             const std::function<bool(const std::string&)>& exists) {
    for (const char* base : base_names) {
        DictionaryFiles files{joined(folder, std::string(base) + ".aff"), joined(folder, std::string(base) + ".dic")};
        if (exists(files.affixes) && exists(files.words)) return files;
    }
    return std::nullopt;
}

std::optional<DictionaryFiles> find_dictionary(const std::string& named_path, const char* dicpath,
                                               const std::function<bool(const std::string&)>& exists,
                                               std::string& why_not) {
    if (!named_path.empty()) {
        std::optional<DictionaryFiles> files = dictionary_at(named_path, exists);
        if (!files) why_not = "no Korean spelling dictionary at '" + named_path + "' (ko.aff and ko.dic)";
        return files;
    }
    std::string looked_in;
    for (const std::string& folder : dictionary_folders(dicpath)) {
        if (std::optional<DictionaryFiles> files = dictionary_in(folder, exists)) return files;
        looked_in += (looked_in.empty() ? "" : ", ") + folder;
    }
    why_not = "no Korean spelling dictionary (ko.aff and ko.dic) in " + looked_in +
              " (install hunspell-ko, or name one with --dictionary)";
    return std::nullopt;
}

std::optional<DictionaryFiles> dictionary_at(const std::string& path,
                                             const std::function<bool(const std::string&)>& exists) {
    if (ends_with(path, ".dic") || ends_with(path, ".aff")) {
        std::string stem = path.substr(0, path.size() - 4);
        DictionaryFiles files{stem + ".aff", stem + ".dic"};
        if (exists(files.affixes) && exists(files.words)) return files;
        return std::nullopt;
    }
    return dictionary_in(path, exists);
}

}  // namespace tessaline
