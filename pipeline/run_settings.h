#pragma once

// How files are read and written where the command line goes beyond the window. The window
// never changes these, so it keeps its fixed behaviour: CP949 unless a byte-order mark says
// otherwise, CP949 output in the Tessaline folder beside each input.

constexpr int INPUT_BY_MARK = 0;     // the window's rule: a UTF-8 or UTF-16LE mark, else CP949
constexpr int INPUT_AUTO = 1;        // also unmarked valid UTF-8 with non-ASCII bytes
constexpr int INPUT_CP949 = 2;       // same as the window's rule
constexpr int INPUT_UTF8 = 3;
constexpr int INPUT_UTF16LE = 4;

constexpr int OUTPUT_CP949 = 0;
constexpr int OUTPUT_UTF8 = 1;       // without a byte-order mark, CR LF kept

struct RunSettings {
    int input_encoding;
    int output_encoding;
    const char* output_dir;          // nullptr: the Tessaline folder beside each input
    int to_stdout;                   // 1: results go to standard output instead of files
    int no_footer;                   // 1: results end with the text, without the footer
    int replace_own_footer;          // 1: a footer of this program ending the input is left out
    int refuse_linked_folder;        // 1: a Tessaline folder that is a symbolic link is not written to
    // Told of every file that could not be loaded or written, with the reason in English.
    void (*on_failure)(void* context, const char* path, const char* reason);
    void* failure_context;
};

extern RunSettings run_settings;

// Tells run_settings.on_failure, when one is set, that `path` could not be loaded or written.
void report_failure(const char* path, const char* reason);
