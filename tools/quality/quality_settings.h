#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "tools/corpus/corpus.h"
#include "tools/corpus/wrap_styles.h"
#include "tools/quality/quality_score.h"

namespace tessaline {

// What the quality tool was asked to measure.
struct QualitySettings {
    std::string corpus;
    bool rules = true;                         // the word-list rules alone (--joints rules)
    bool vocabulary = true;                    // the book's vocabulary over the rules (the default)
    bool baselines = true;                     // the two naive joins
    bool dictionary = true;                    // the vocabulary mode asks the Korean dictionary
    std::string dictionary_path;               // ... named; empty: looked for in the standard places
    bool summary = false;                      // one line of joint figures per style and mode
    std::optional<CorpusHalf> half;            // only the novels of one half
    size_t show_errors = 0;                    // wrong joints and breaks printed per style and mode
    ErrorKinds error_kinds = all_error_kinds;  // ... of these kinds
    std::vector<WrapStyle> styles;             // all when none is named
};

enum class SettingsResult { RUN, HELP, USAGE_ERROR };

// Reads the arguments; on a usage error `error` says what was wrong.
SettingsResult read_quality_settings(int argc, const char* const* argv, QualitySettings& settings, std::string& error);

extern const char* const quality_usage;

}  // namespace tessaline
