#include "cli/console_view.h"

#include <cstdio>
#include <cstdlib>

#include "platform/platform.h"

namespace {

constexpr int BAR_WIDTH = 14;

std::string bar(int done, int total) {
    int filled = total > 0 ? static_cast<int>(static_cast<long long>(done) * BAR_WIDTH / total) : 0;
    if (filled < 0) filled = 0;
    if (filled > BAR_WIDTH) filled = BAR_WIDTH;
    std::string drawn = "[";
    drawn.append(static_cast<size_t>(filled), '#');
    drawn.append(static_cast<size_t>(BAR_WIDTH - filled), '-');
    return drawn + "]";
}

// Columns a UTF-8 line takes: Hangul and Hanja (three- and four-byte sequences) are wide.
size_t display_columns(const std::string& line) {
    size_t columns = 0;
    for (unsigned char c : line) {
        if ((c & 0xC0) == 0x80) continue;
        columns += c >= 0xE1 ? 2 : 1;
    }
    return columns;
}

// Takes over a converted text from the platform layer.
std::string taken(unsigned char* converted, size_t count) {
    std::string text(reinterpret_cast<const char*>(converted), count);
    std::free(converted);
    return text;
}

}  // namespace

ConsoleView::ConsoleView(const CliOptions& options)
    : quiet_(options.quiet), live_(!options.quiet && platform_stderr_is_terminal()) {}

void ConsoleView::begin_batch(int file_count) {
    file_count_ = file_count;
    files_done_ = 0;
    file_percent_ = 0;
    status_.clear();
}

void ConsoleView::draw() {
    if (!live_) return;
    std::string line = status_.empty() ? "" : status_ + "  ";
    char numbers[64];
    std::snprintf(numbers, sizeof numbers, " %3d%%", file_percent_);
    line += bar(file_percent_, 100) + numbers;
    if (file_count_ > 1) {
        std::snprintf(numbers, sizeof numbers, " %d/%d", files_done_, file_count_);
        line += "  " + bar(files_done_, file_count_) + numbers;
    }
    size_t columns = display_columns(line);
    if (columns < drawn_columns_) line.append(drawn_columns_ - columns, ' ');
    std::fprintf(stderr, "\r%s", line.c_str());
    std::fflush(stderr);
    drawn_columns_ = columns > drawn_columns_ ? columns : drawn_columns_;
}

void ConsoleView::set_status(const std::string& text) {
    status_ = terminal_text(text);
    draw();
}

void ConsoleView::set_file_progress(int percent) {
    if (percent == file_percent_) return;
    file_percent_ = percent;
    draw();
}

void ConsoleView::set_batch_progress(int files_done) {
    files_done_ = files_done;
    draw();
}

void ConsoleView::refresh() { draw(); }

void ConsoleView::show_message(const std::string& text) {
    clear_line();
    if (quiet_) return;
    std::fprintf(stderr, "%s\n", terminal_text(text).c_str());
}

void ConsoleView::report_failure(const std::string& path, const std::string& reason) {
    report_warning(path, reason);
    ++failures_;
}

void ConsoleView::report_warning(const std::string& path, const std::string& warning) {
    clear_line();
    std::fprintf(stderr, "tessaline: '%s' %s\n", terminal_path(path).c_str(), warning.c_str());
    std::fflush(stderr);
}

void ConsoleView::note(const std::string& text) {
    if (quiet_) return;
    clear_line();
    std::fprintf(stderr, "tessaline: %s\n", text.c_str());
}

void ConsoleView::clear_line() {
    if (drawn_columns_ == 0) return;
    std::fprintf(stderr, "\r%s\r", std::string(drawn_columns_, ' ').c_str());
    std::fflush(stderr);
    drawn_columns_ = 0;
}

std::string terminal_text(const std::string& cp949_text) {
    size_t count = 0;
    const auto* bytes = reinterpret_cast<const unsigned char*>(cp949_text.data());
    unsigned char* converted = platform_cp949_to_utf8(bytes, cp949_text.size(), &count);
    return taken(converted, count);
}

std::string terminal_path(const std::string& path) {
    size_t count = 0;
    unsigned char* converted = platform_name_to_utf8(path.c_str(), &count);
    return taken(converted, count);
}
