#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "cli/options.h"
#include "pipeline/batch_view.h"

namespace tessaline {

// The terminal as the batch view of a command-line run. On a terminal (and without --quiet) one
// progress line "[i/n] name  NN%" is redrawn in place, the files converted with a loss and those
// not converted are gathered, and the run ends with them and a summary line. Anywhere else, and
// while the results themselves go to the terminal, nothing but those files is shown, each as it
// happens, even under --quiet. The window's own status texts and message boxes are not the
// command line's.
class ConsoleView final : public BatchView {
public:
    explicit ConsoleView(const CliOptions& options);

    // The batch about to run, for the counter of the progress line.
    void begin_batch(int file_count);

    void show_path(const std::string& path) override;
    void set_file_progress(int percent) override;
    void show_converted(uint64_t result_bytes) override;
    // `reason` in English from the pipeline, or in the run's language already; told in the latter.
    void report_failure(const std::string& path, const std::string& reason) override;
    // Told like a failure, but not counted as one.
    void report_warning(const std::string& path, const std::string& warning) override;

    // A remark on the run itself, such as a missing dictionary; not shown under --quiet.
    void note(const std::string& text);

    // Ends the display: the progress line goes; on a terminal the files not converted and the
    // summary line follow.
    void finish();

    bool live() const { return live_; }
    int failures() const { return static_cast<int>(failures_.size()); }

private:
    // A file that was not converted or lost something, as the terminal shows it.
    struct FileNote {
        std::string name;    // quoted
        std::string reason;  // in the run's language
    };

    void tell(std::vector<FileNote>& gathered, const std::string& path, const std::string& reason);
    void draw();
    void clear_line();
    std::string summary() const;

    const CliOptions& options_;
    bool live_;  // the progress line is drawn
    int file_count_ = 0;
    int file_index_ = 0;  // the file being converted, from 1
    int file_percent_ = 0;
    std::string file_name_;     // as the progress line shows it
    size_t drawn_columns_ = 0;  // width of the progress line now on screen
    int converted_ = 0;
    uint64_t converted_bytes_ = 0;  // of the results written
    std::vector<FileNote> warnings_;
    std::vector<FileNote> failures_;
    std::chrono::steady_clock::time_point started_;
};

// A path as the system spells it, as the terminal shows it (UTF-8).
std::string terminal_path(const std::string& path);

}  // namespace tessaline
