#include "cli/console_view.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/platform.h"

namespace {

constexpr int BAR_WIDTH = 14;

ConsoleView& self(void* context) { return *static_cast<ConsoleView*>(context); }

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

void draw(ConsoleView& console) {
    if (!console.live) return;
    std::string line = console.status.empty() ? "" : console.status + "  ";
    char numbers[64];
    std::snprintf(numbers, sizeof numbers, " %3d%%", console.file_percent);
    line += bar(console.file_percent, 100) + numbers;
    if (console.batch_count > 1) {
        std::snprintf(numbers, sizeof numbers, " %d/%d", console.batch_done, console.batch_count);
        line += "  " + bar(console.batch_done, console.batch_count) + numbers;
    }
    size_t columns = display_columns(line);
    if (columns < console.drawn_columns) line.append(console.drawn_columns - columns, ' ');
    std::fprintf(stderr, "\r%s", line.c_str());
    std::fflush(stderr);
    console.drawn_columns = columns > console.drawn_columns ? columns : console.drawn_columns;
}

void set_file_progress(void* context, int percent) {
    ConsoleView& console = self(context);
    if (percent == console.file_percent) return;
    console.file_percent = percent;
    draw(console);
}

// A new selection: the texts and bars of the one before are gone.
void set_batch_range(void* context, int count) {
    self(context).batch_count = count;
    self(context).batch_done = 0;
    self(context).file_percent = 0;
    self(context).status.clear();
}

void set_batch_progress(void* context, int files_done) {
    self(context).batch_done = files_done;
    draw(self(context));
}

void set_status(void* context, const char* text) {
    self(context).status = terminal_text(text);
    draw(self(context));
}

void show_nothing(void*, const char*) {}

void refresh(void* context) { draw(self(context)); }

// The line of the completion message that names the Tessaline folder is left out when the
// results went to standard output or to another folder.
std::string without_saved_line(const std::string& message) {
    std::string kept;
    for (size_t start = 0; start <= message.size();) {
        size_t end = message.find('\n', start);
        if (end == std::string::npos) end = message.size();
        std::string line = message.substr(start, end - start);
        if (line.compare(0, 10, "Tessaline ") != 0) kept += (kept.empty() ? "" : "\n") + line;
        start = end + 1;
    }
    return kept;
}

void show_message(void* context, const char* text) {
    ConsoleView& console = self(context);
    console_clear_line(console);
    if (console.options->quiet) return;
    std::string message = terminal_text(text);
    if (console.options->to_stdout || !console.options->output_dir.empty()) message = without_saved_line(message);
    std::fprintf(stderr, "%s\n", message.c_str());
}

void read_checkboxes(void* context, int flags[4]) {
    const CliOptions& options = *self(context).options;
    flags[0] = options.split_long_sentences;
    flags[1] = options.remove_hanja;
    flags[2] = options.blank_after_long;
    flags[3] = options.mark_joins;
}

void read_min_length_text(void* context, char text[10]) {
    std::strncpy(text, self(context).options->min_length_text.c_str(), 9);
    text[9] = 0;
}

// One command is one run, however many folders it covers: the join mark stays for all of them.
void keep_mark_joins(void*) {}

}  // namespace

ConsoleView make_console_view(const CliOptions& options) {
    return ConsoleView{&options, !options.quiet && platform_stderr_is_terminal(), 0, 0, 0, "", 0};
}

ProgressView console_progress_view(ConsoleView& console) {
    ProgressView view{};
    view.context = &console;
    view.set_file_progress = set_file_progress;
    view.set_batch_range = set_batch_range;
    view.set_batch_progress = set_batch_progress;
    view.set_status = set_status;
    view.show_path = show_nothing;
    view.show_preview = show_nothing;
    view.refresh = refresh;
    view.show_message = show_message;
    view.read_checkboxes = read_checkboxes;
    view.read_min_length_text = read_min_length_text;
    view.uncheck_mark_joins = keep_mark_joins;
    return view;
}

void console_clear_line(ConsoleView& console) {
    if (console.drawn_columns == 0) return;
    std::fprintf(stderr, "\r%s\r", std::string(console.drawn_columns, ' ').c_str());
    std::fflush(stderr);
    console.drawn_columns = 0;
}

void console_note(ConsoleView& console, const std::string& text) {
    if (console.options->quiet) return;
    console_clear_line(console);
    std::fprintf(stderr, "tessaline: %s\n", text.c_str());
}

std::string terminal_text(const char* cp949_text) {
    size_t count = 0;
    unsigned char* converted =
        platform_cp949_to_utf8(reinterpret_cast<const unsigned char*>(cp949_text), std::strlen(cp949_text), &count);
    std::string text(reinterpret_cast<const char*>(converted), count);
    std::free(converted);
    return text;
}

std::string terminal_path(const std::string& path) {
    size_t count = 0;
    unsigned char* converted = platform_name_to_utf8(path.c_str(), &count);
    std::string text(reinterpret_cast<const char*>(converted), count);
    std::free(converted);
    return text;
}
