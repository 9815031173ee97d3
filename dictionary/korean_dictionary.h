#pragma once

#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>

#include "dictionary/word_lookup.h"
#include "engine/word_dictionary.h"

namespace tessaline {

// The Korean spelling dictionary the command line lends the vocabulary mode: found and loaded
// the first time a conversion asks for it (loading takes most of a second), then shared by every
// conversion of the run. When it cannot be found or read, `warn` is told why, once, and the
// conversions go without it.
class KoreanDictionary final : public WordDictionary {
public:
    // `named_path` is the dictionary the user named (a folder, or its .dic or .aff file); empty to
    // look in the standard places.
    KoreanDictionary(std::string named_path, std::function<void(const std::string&)> warn);

    bool available() override;
    bool is_word(std::string_view cp949) override;

private:
    void load();

    std::string named_path_;
    std::function<void(const std::string&)> warn_;
    std::mutex lock_;  // conversions running side by side share one Hunspell
    bool tried_ = false;
    std::unique_ptr<WordLookup> lookup_;
};

}  // namespace tessaline
