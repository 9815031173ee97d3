#include <hunspell.hxx>

#include <cstdlib>
#include <filesystem>

#include "dictionary/dictionary_search.h"
#include "dictionary/word_lookup.h"

namespace tessaline {

namespace {

// A word every Korean dictionary knows: when it is not found, the files are no Korean dictionary.
constexpr const char* known_word = "사람";

class HunspellLookup final : public WordLookup {
public:
    explicit HunspellLookup(const DictionaryFiles& files) : hunspell_(files.affixes.c_str(), files.words.c_str()) {}
    bool is_word(const std::string& utf8) override { return hunspell_.spell(utf8); }

private:
    Hunspell hunspell_;
};

bool is_file(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

}  // namespace

std::unique_ptr<WordLookup> open_word_lookup(const std::string& named_path, std::string& error) {
    std::optional<DictionaryFiles> files = find_dictionary(named_path, std::getenv("DICPATH"), is_file, error);
    if (!files) return nullptr;
    auto lookup = std::make_unique<HunspellLookup>(*files);
    if (lookup->is_word(known_word)) return lookup;
    error = "'" + files->words + "' does not read as a Korean Hunspell dictionary";
    return nullptr;
}

}  // namespace tessaline
