#include "cli/console_view.h"

#include <cstdio>
#include <cstdlib>

#include "cli/messages.h"
#include "cli/name_quoting.h"
#include "cli/progress_line.h"
#include "cli/reason_wording.h"
#include "platform/platform.h"

namespace tessaline {

namespace {

// Megabytes as a person counts them on a disk label.
constexpr double bytes_per_megabyte = 1e6;

// Columns assumed when the terminal does not tell its width.
constexpr int usual_columns = 80;

int terminal_columns() {
    int columns = platform_terminal_columns();
    return columns > 0 ? columns : usual_columns;
}

std::string one_decimal(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", value);
    return text;
}

std::string where_saved(const CliOptions& options) {
    if (options.to_stdout) return "";
    if (!options.output_dir.empty())
        return " " + message(Text::saved_into, {quoted_name(terminal_path(options.output_dir))});
    return " " + message(Text::saved_beside);
}

// Results written to the same terminal would be torn by a line redrawn among them.
bool draws_progress(const CliOptions& options) {
    return !options.quiet && platform_stderr_is_terminal() && !(options.to_stdout && platform_stdout_is_terminal());
}

}  // namespace

ConsoleView::ConsoleView(const CliOptions& options)
    : options_(options), live_(draws_progress(options)), started_(std::chrono::steady_clock::now()) {}

void ConsoleView::begin_batch(int file_count) { file_count_ = file_count; }

void ConsoleView::show_path(const std::string& path) {
    ++file_index_;
    file_percent_ = 0;
    file_name_ = shown_name(terminal_path(path));
    draw();
}

void ConsoleView::set_file_progress(int percent) {
    if (percent == file_percent_) return;
    file_percent_ = percent;
    draw();
}

void ConsoleView::show_converted(uint64_t result_bytes) {
    ++converted_;
    converted_bytes_ += result_bytes;
}

void ConsoleView::report_failure(const std::string& path, const std::string& reason) { tell(failures_, path, reason); }

void ConsoleView::report_warning(const std::string& path, const std::string& warning) {
    tell(warnings_, path, warning);
}

void ConsoleView::note(const std::string& text) {
    if (options_.quiet) return;
    // May come from a conversion's thread, so it leaves the progress line's state alone.
    std::fprintf(stderr, "%stessaline: %s\n", live_ ? "\n" : "", text.c_str());
    std::fflush(stderr);
}

void ConsoleView::tell(std::vector<FileNote>& gathered, const std::string& path, const std::string& reason) {
    FileNote note{quoted_name(terminal_path(path)), reason_in_run_language(reason)};
    gathered.push_back(note);
    if (live_) return;
    std::fprintf(stderr, "tessaline: %s %s\n", note.name.c_str(), note.reason.c_str());
    std::fflush(stderr);
}

void ConsoleView::finish() {
    clear_line();
    if (!live_) return;
    const std::pair<Text, const std::vector<FileNote>*> lists[] = {{Text::lossy_heading, &warnings_},
                                                                   {Text::not_converted_heading, &failures_}};
    for (const auto& [heading, notes] : lists) {
        if (!notes->empty()) std::fprintf(stderr, "%s\n", message(heading).c_str());
        for (const FileNote& note : *notes) std::fprintf(stderr, "  %s %s\n", note.name.c_str(), note.reason.c_str());
    }
    std::fprintf(stderr, "%s\n", summary().c_str());
    std::fflush(stderr);
}

// The line is drawn over the one before; spaces cover what is left of a longer one.
void ConsoleView::draw() {
    if (!live_ || file_index_ == 0) return;
    std::string line = progress_line(file_index_, file_count_, file_name_, file_percent_, terminal_columns());
    size_t columns = display_columns(line);
    if (columns < drawn_columns_) line.append(drawn_columns_ - columns, ' ');
    std::fprintf(stderr, "\r%s", line.c_str());
    std::fflush(stderr);
    drawn_columns_ = columns;
}

void ConsoleView::clear_line() {
    if (drawn_columns_ == 0) return;
    std::fprintf(stderr, "\r%s\r", std::string(drawn_columns_, ' ').c_str());
    std::fflush(stderr);
    drawn_columns_ = 0;
}

std::string ConsoleView::summary() const {
    std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - started_;
    std::string line = message(Text::summary, {std::to_string(converted_), std::to_string(failures_.size()),
                                               one_decimal(static_cast<double>(converted_bytes_) / bytes_per_megabyte),
                                               one_decimal(seconds.count())});
    return converted_ > 0 ? line + where_saved(options_) : line;
}

std::string terminal_path(const std::string& path) {
    size_t count = 0;
    unsigned char* converted = platform_name_to_utf8(path.c_str(), &count);
    std::string text(reinterpret_cast<const char*>(converted), count);
    std::free(converted);
    return text;
}

}  // namespace tessaline
