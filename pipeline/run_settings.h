#pragma once

#include <string>

#include "pipeline/text_encoding.h"

// How files are read and written where the command line goes beyond the window. The window
// never changes these, so it keeps its fixed behaviour: the encoding of each input found from
// its text, CP949 output in the Tessaline folder beside each input, no warnings.

struct RunSettings {
    InputEncoding input_encoding;
    OutputEncoding output_encoding;
    const char* output_dir;          // nullptr: the Tessaline folder beside each input
    int to_stdout;                   // 1: results go to standard output instead of files
    // Told of every file that could not be loaded or written, with the reason in English.
    void (*on_failure)(void* context, const char* path, const char* reason);
    void* failure_context;
    // Told of every file whose text was converted with a loss, such as characters the result's
    // encoding lacks, with what was lost in English.
    void (*on_warning)(void* context, const char* path, const char* warning);
    void* warning_context;
};

extern RunSettings run_settings;

// Tells run_settings.on_failure, when one is set, that `path` could not be loaded or written.
void report_failure(const char* path, const char* reason);
// Tells run_settings.on_warning, when one is set, of a warning about `path`; empty ones are not told.
void report_warning(const char* path, const std::string& warning);
