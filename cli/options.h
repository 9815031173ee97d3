#pragma once

#include <string>
#include <vector>

#include "pipeline/batch_request.h"

// Everything the command line asked for. The defaults are the window's starting state, except
// that a result is written in the encoding its input was read in.
struct CliOptions {
    std::vector<std::string> paths;
    std::string min_length_text = "15";    // read like the window's minimum-length field
    int split_long_sentences = 1;
    int remove_hanja = 0;
    int blank_after_long = 1;
    int mark_joins = 0;
    int vocabulary_joints = 0;
    InputEncoding input_encoding = InputEncoding::automatic;
    OutputEncoding output_encoding = OutputEncoding::same;
    std::string output_dir;                // empty: the Tessaline folder beside each input
    bool to_stdout = false;
    bool quiet = false;
    bool recursive = false;
    unsigned jobs = 0;                     // files converted at once; 0: one per processor core
};

enum class ParseResult { RUN, HELP, VERSION, USAGE_ERROR };

// Reads the arguments into `options`; on a usage error `error` says what was wrong.
ParseResult parse_options(int argc, const char* const* argv, CliOptions& options, std::string& error);
