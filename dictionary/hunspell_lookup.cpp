#include <hunspell.hxx>

#include "dictionary/word_lookup.h"

namespace {

// A word every Korean dictionary knows: when it is not found, the files are no Korean dictionary.
constexpr const char* KNOWN_WORD = "사람";

class HunspellLookup final : public WordLookup {
public:
    explicit HunspellLookup(const DictionaryFiles& files) : hunspell_(files.affixes.c_str(), files.words.c_str()) {}
    bool is_word(const std::string& utf8) override { return hunspell_.spell(utf8); }

private:
    Hunspell hunspell_;
};

}  // namespace

std::unique_ptr<WordLookup> open_word_lookup(const DictionaryFiles& files, std::string& error) {
    auto lookup = std::make_unique<HunspellLookup>(files);
    if (lookup->is_word(KNOWN_WORD)) return lookup;
    error = "'" + files.words + "' does not read as a Korean Hunspell dictionary";
    return nullptr;
}
