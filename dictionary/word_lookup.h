#pragma once

#include <memory>
#include <string>

#include "dictionary/dictionary_search.h"

// Spelling lookups in a dictionary's files, by the Hunspell library where the build has one.
class WordLookup {
public:
    virtual ~WordLookup() = default;
    // Whether a UTF-8 word is spelt right, its particles and endings included.
    virtual bool is_word(const std::string& utf8) = 0;
};

// The lookup in `files`, or nullptr with `error` saying why they cannot be read.
std::unique_ptr<WordLookup> open_word_lookup(const DictionaryFiles& files, std::string& error);
