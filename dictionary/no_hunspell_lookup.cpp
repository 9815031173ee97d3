#include "dictionary/word_lookup.h"

// This build has no Hunspell library, so no dictionary's files can be read.
std::unique_ptr<WordLookup> open_word_lookup(const DictionaryFiles& files, std::string& error) {
    error = "this build of tessaline cannot read '" + files.words + "' (it was built without the Hunspell library)";
    return nullptr;
}
