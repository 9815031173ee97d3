#pragma once

#include <cstdint>
#include <string_view>

namespace tessaline {

// Beyond this many bytes a book shows its own words often enough, and asking a dictionary at
// every joint would cost more than the whole conversion, so longer texts go without it.
constexpr int64_t dictionary_text_limit = int64_t{1} << 21;

// A Korean spelling dictionary that knows words with their particles and endings. The vocabulary
// mode asks it, where a book's own evidence is thin, whether the two pieces at a joint make one
// word and whether each is a word. The engine asks from one thread per conversion; a dictionary
// shared by conversions that run side by side must guard itself.
class WordDictionary {
public:
    virtual ~WordDictionary() = default;

    // Whether words can be looked up; a dictionary may load itself on the first call, and a
    // dictionary that cannot be loaded answers false from then on.
    virtual bool available() = 0;

    // Whether a run of Hangul syllables in CP949 is a word, with its particles and endings.
    virtual bool is_word(std::string_view cp949) = 0;
};

}  // namespace tessaline
