#pragma once

#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <unordered_map>

#include "dictionary/word_lookup.h"
#include "engine/word_dictionary.h"

namespace tessaline {

// The Korean spelling dictionary the command line lends the vocabulary mode: loaded the first
// time a conversion asks for it, or ahead on a thread of its own when told the run will ask
// (loading takes most of a second), then shared by every conversion of the run. Each word is
// looked up once per run: the books of one batch share most of their words. When it cannot be
// found or read, `warn` is told why, once, on the first ask, and the conversions go without it.
class KoreanDictionary final : public WordDictionary {
public:
    // `named_path` is the dictionary the user named (a folder, or its .dic or .aff file); empty to
    // look in the standard places.
    KoreanDictionary(std::string named_path, std::function<void(const std::string&)> warn);
    ~KoreanDictionary() override;

    // Starts loading on a thread of its own, so the files are read while it loads.
    void load_ahead();

    bool available() override;
    bool is_word(std::string_view cp949) override;

private:
    void load();
    bool look_up(std::string_view cp949);

    std::string named_path_;
    std::function<void(const std::string&)> warn_;
    std::once_flag loaded_;  // set by the loading thread, or by the first ask when there is none
    std::thread loader_;
    std::mutex ready_lock_;  // the first ask waits here for the loading thread
    bool ready_ = false;
    std::string error_;
    std::unique_ptr<WordLookup> lookup_;
    std::mutex lookup_lock_;  // Hunspell answers one question at a time
    std::mutex answers_lock_;
    std::unordered_map<std::string, bool> answers_;
};

}  // namespace tessaline
