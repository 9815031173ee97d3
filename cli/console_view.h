#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "cli/options.h"
#include "pipeline/progress_view.h"

// A file that was not converted, as the summary names it.
struct NotConverted {
    std::string name;       // quoted, as the terminal shows it
    std::string reason;     // in the run's language
};

// The terminal behind the ProgressView of a command-line run. On a terminal (and without
// --quiet) one progress line "[i/n] name  NN%" is redrawn in place, failures are gathered and the
// run ends with them and a summary line. Anywhere else nothing but the failures is shown, each
// as it happens. The window's own status texts and message boxes are not the command line's.
struct ConsoleView {
    const CliOptions* options;
    bool live;                      // the progress line is drawn
    int file_count;                 // files planned for the whole command
    int file_index;                 // the file being converted, from 1
    int file_percent;
    std::string file_name;          // as the progress line shows it
    size_t drawn_columns;           // width of the progress line now on screen
    int converted;
    uint64_t converted_bytes;       // input bytes of the converted files
    std::vector<NotConverted> failures;
    std::chrono::steady_clock::time_point started;
};

ConsoleView make_console_view(const CliOptions& options);
ProgressView console_progress_view(ConsoleView& console);

// A file that was not converted: shown at once, or kept for the summary while the progress line
// is drawn. Shown even under --quiet.
void console_failure(ConsoleView& console, const std::string& path, const std::string& reason);

// Ends the run's display: the progress line goes; on a terminal the files not converted and the
// summary line follow.
void console_finish(ConsoleView& console);

// A path as the system spells it, as the terminal shows it (UTF-8).
std::string terminal_path(const std::string& path);
