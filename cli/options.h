#pragma once

#include <string>
#include <vector>

#include "pipeline/batch_request.h"

#include "engine/reflow.h"

namespace tessaline {

// Everything the command line asked for. The defaults are the window's starting state, except
// that a result is written in the encoding its input was read in and the joints are decided by
// the book's vocabulary over the rules.
struct CliOptions {
    std::vector<std::string> paths;
    std::string min_length_text = "15";  // a whole number from 0 to 9999
    int split_long_sentences = 1;
    int remove_hanja = 0;
    int blank_after_long = 1;
    int mark_joins = 0;
    JointMode joints = JointMode::vocabulary;
    std::string dictionary_path;  // empty: the Korean dictionary is looked for in the standard places
    InputEncoding input_encoding = InputEncoding::automatic;
    OutputEncoding output_encoding = OutputEncoding::same;
    std::string output_dir;  // empty: the Tessaline folder beside each input
    bool to_stdout = false;
    bool quiet = false;
    bool recursive = false;
    bool follow_links = false;  // -r enters links to folders too
    bool footer = true;
    unsigned jobs = 0;  // files converted at once; 0: one per processor core
};

enum class ParseResult { RUN, HELP, VERSION, USAGE_ERROR, NO_INPUT };

// Reads the arguments into `options`; on a usage error `error` says what was wrong. Without any
// PATH standard input is converted to standard output, unless it is a terminal (NO_INPUT).
ParseResult parse_options(int argc, const char* const* argv, bool stdin_is_terminal, CliOptions& options,
                          std::string& error);

}  // namespace tessaline
