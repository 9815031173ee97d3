#pragma once

#include <memory>
#include <string>

namespace tessaline {

// Spelling lookups in the Korean dictionary, by the Hunspell library where the build has one.
class WordLookup {
public:
    virtual ~WordLookup() = default;
    // Whether a UTF-8 word is spelt right, its particles and endings included.
    virtual bool is_word(const std::string& utf8) = 0;
};

// The lookup in the dictionary at `named_path` (a folder, or its .dic or .aff file), or, when
// none is named, in the first one found where systems install them; nullptr with `error` saying
// why when there is none or it cannot be read.
std::unique_ptr<WordLookup> open_word_lookup(const std::string& named_path, std::string& error);

}  // namespace tessaline
