#pragma once

#include <string>

#include "cli/options.h"
#include "pipeline/progress_view.h"

// The terminal behind the ProgressView of a command-line run: a progress line on stderr while
// stderr is a terminal, status texts and messages in UTF-8, the options as the checkboxes.
struct ConsoleView {
    const CliOptions* options;
    bool live;                  // progress is drawn (stderr is a terminal, not --quiet)
    int file_percent;
    int batch_count;
    int batch_done;
    std::string status;         // UTF-8
    size_t drawn_columns;       // width of the progress line now on screen
};

ConsoleView make_console_view(const CliOptions& options);
ProgressView console_progress_view(ConsoleView& console);

// Wipes the progress line, so that other text on stderr starts on a clean line.
void console_clear_line(ConsoleView& console);

// A remark that is neither progress nor failure, such as a folder without text files; not
// shown under --quiet.
void console_note(ConsoleView& console, const std::string& text);

// CP949 text as the terminal shows it (UTF-8).
std::string terminal_text(const char* cp949_text);

// A path as the system spells it, as the terminal shows it (UTF-8).
std::string terminal_path(const std::string& path);
