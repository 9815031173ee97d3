#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

#include "engine/vocabulary/evidence.h"
#include "engine/word_dictionary.h"

namespace tessaline {

// What a spelling dictionary says at a joint between two runs of Hangul syllables.
struct DictionaryReading {
    bool consulted = false;    // both runs are Hangul short enough to be words, and were looked up
    bool fused_word = false;   // the two runs written together make a word
    bool before_word = false;  // the run before the cut is a word
    bool after_word = false;   // the run after the cut is a word
};

// The dictionary as one conversion asks it: each run is looked up once and its answer kept.
// Without a dictionary every reading is "not consulted".
class DictionaryAnswers {
public:
    void use(WordDictionary* dictionary) { dictionary_ = dictionary; }
    bool in_use() const { return dictionary_ != nullptr; }
    DictionaryReading read(const JointWords& joint);

private:
    bool is_word(std::string_view cp949);

    WordDictionary* dictionary_ = nullptr;
    std::unordered_map<std::string, bool> answers_;
};

}  // namespace tessaline
