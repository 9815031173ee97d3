#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tessaline {

// The two files of a Hunspell dictionary: the affix rules and the word list.
struct DictionaryFiles {
    std::string affixes;  // ko.aff
    std::string words;    // ko.dic
};

// Where the Korean dictionary is looked for when none is named: the folders of the DICPATH
// variable (as Hunspell reads it), then the places where systems install Hunspell dictionaries.
std::vector<std::string> dictionary_folders(const char* dicpath);

// The Korean dictionary in one folder, as ko.aff and ko.dic or ko_KR.aff and ko_KR.dic.
// `exists` says whether a file is there.
std::optional<DictionaryFiles> dictionary_in(const std::string& folder,
                                             const std::function<bool(const std::string&)>& exists);

// The dictionary a path names: a folder holding it, or its .dic or .aff file with the other
// beside it.
std::optional<DictionaryFiles> dictionary_at(const std::string& path,
                                             const std::function<bool(const std::string&)>& exists);

// The dictionary at `named_path` when one is named, else the first in dictionary_folders(dicpath);
// when there is none, `why_not` says where it was looked for.
std::optional<DictionaryFiles> find_dictionary(const std::string& named_path, const char* dicpath,
                                               const std::function<bool(const std::string&)>& exists,
                                               std::string& why_not);

}  // namespace tessaline
