#pragma once

#include <string>

#include "cli/options.h"
#include "pipeline/batch_view.h"

// The terminal as the batch view of a command-line run: a progress line on stderr while stderr is
// a terminal, status texts and messages in UTF-8, and every file that could not be converted, or
// was converted with a loss, named on stderr, even under --quiet; failures count for the exit
// status.
class ConsoleView final : public BatchView {
public:
    explicit ConsoleView(const CliOptions& options);

    // The batch about to run, for the batch bar.
    void begin_batch(int file_count);

    void set_status(const std::string& text) override;
    void set_file_progress(int percent) override;
    void set_batch_progress(int files_done) override;
    void refresh() override;
    void show_message(const std::string& text) override;
    void report_failure(const std::string& path, const std::string& reason) override;
    // Named like a failure, but not counted as one.
    void report_warning(const std::string& path, const std::string& warning) override;

    // A remark that is neither progress nor failure, such as a folder without text files; not
    // shown under --quiet.
    void note(const std::string& text);
    // Wipes the progress line, so that other text on stderr starts on a clean line.
    void clear_line();

    int failures() const { return failures_; }

private:
    void draw();

    bool quiet_;
    bool live_;                 // progress is drawn (stderr is a terminal, not --quiet)
    int file_count_ = 0;
    int file_percent_ = 0;
    int files_done_ = 0;
    std::string status_;        // UTF-8
    size_t drawn_columns_ = 0;  // width of the progress line now on screen
    int failures_ = 0;
};

// CP949 text as the terminal shows it (UTF-8).
std::string terminal_text(const std::string& cp949_text);

// A path as the system spells it, as the terminal shows it (UTF-8).
std::string terminal_path(const std::string& path);
