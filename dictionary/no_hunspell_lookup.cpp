#include "dictionary/word_lookup.h"

namespace tessaline {

// This build has no Hunspell library, so no dictionary can be read, wherever it is.
std::unique_ptr<WordLookup> open_word_lookup(const std::string&, std::string& error) {
    error = "this build of tessaline has no Hunspell library to read a Korean spelling dictionary with";
    return nullptr;
}

}  // namespace tessaline
