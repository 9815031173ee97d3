#include "cli/console_view.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "cli/messages.h"
#include "cli/name_quoting.h"
#include "cli/progress_line.h"
#include "engine/engine_state.h"
#include "platform/platform.h"

namespace {

// Megabytes as a person counts them on a disk label.
constexpr double BYTES_PER_MEGABYTE = 1e6;

// Columns assumed when the terminal does not tell its width.
constexpr int USUAL_COLUMNS = 80;

ConsoleView& self(void* context) { return *static_cast<ConsoleView*>(context); }

int terminal_columns() {
    int columns = platform_terminal_columns();
    return columns > 0 ? columns : USUAL_COLUMNS;
}

// The line is drawn over the one before; spaces cover what is left of a longer one.
void draw(ConsoleView& console) {
    if (!console.live || console.file_index == 0) return;
    std::string line = progress_line(console.file_index, console.file_count, console.file_name,
                                     console.file_percent, terminal_columns());
    size_t columns = display_columns(line);
    if (columns < console.drawn_columns) line.append(console.drawn_columns - columns, ' ');
    std::fprintf(stderr, "\r%s", line.c_str());
    std::fflush(stderr);
    console.drawn_columns = columns;
}

void clear_line(ConsoleView& console) {
    if (console.drawn_columns == 0) return;
    std::fprintf(stderr, "\r%s\r", std::string(console.drawn_columns, ' ').c_str());
    std::fflush(stderr);
    console.drawn_columns = 0;
}

void set_file_progress(void* context, int percent) {
    ConsoleView& console = self(context);
    if (percent == console.file_percent) return;
    console.file_percent = percent;
    draw(console);
}

// Every file starts by naming its path.
void show_path(void* context, const char* path) {
    ConsoleView& console = self(context);
    ++console.file_index;
    console.file_percent = 0;
    console.file_name = shown_name(terminal_path(path));
    draw(console);
}

// A preview is shown once the result is written: the file is converted.
void show_preview(void* context, const char*) {
    ConsoleView& console = self(context);
    ++console.converted;
    console.converted_bytes += source_size;
}

void ignore_count(void*, int) {}

void ignore_text(void*, const char*) {}

void refresh(void* context) { draw(self(context)); }

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

std::string one_decimal(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", value);
    return text;
}

std::string where_saved(const CliOptions& options) {
    if (options.to_stdout) return "";
    if (!options.output_dir.empty()) return " " + message(Text::saved_into, {quoted_name(terminal_path(options.output_dir))});
    return " " + message(Text::saved_beside);
}

}  // namespace

ConsoleView make_console_view(const CliOptions& options) {
    ConsoleView console{};
    console.options = &options;
    console.live = !options.quiet && platform_stderr_is_terminal();
    console.started = std::chrono::steady_clock::now();
    return console;
}

ProgressView console_progress_view(ConsoleView& console) {
    ProgressView view{};
    view.context = &console;
    view.set_file_progress = set_file_progress;
    view.set_batch_range = ignore_count;
    view.set_batch_progress = ignore_count;
    view.set_status = ignore_text;
    view.show_path = show_path;
    view.show_preview = show_preview;
    view.refresh = refresh;
    view.show_message = ignore_text;
    view.read_checkboxes = read_checkboxes;
    view.read_min_length_text = read_min_length_text;
    view.uncheck_mark_joins = keep_mark_joins;
    return view;
}

void console_failure(ConsoleView& console, const std::string& path, const std::string& reason) {
    NotConverted failure{quoted_name(terminal_path(path)), reason};
    if (console.live) {
        console.failures.push_back(failure);
        return;
    }
    std::fprintf(stderr, "tessaline: %s %s\n", failure.name.c_str(), failure.reason.c_str());
    std::fflush(stderr);
}

void console_finish(ConsoleView& console) {
    clear_line(console);
    if (!console.live) return;
    if (!console.failures.empty()) std::fprintf(stderr, "%s\n", message(Text::not_converted_heading).c_str());
    for (const NotConverted& failure : console.failures)
        std::fprintf(stderr, "  %s %s\n", failure.name.c_str(), failure.reason.c_str());
    std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - console.started;
    std::string summary = message(Text::summary, {std::to_string(console.converted), std::to_string(console.failures.size()),
                                                  one_decimal(static_cast<double>(console.converted_bytes) / BYTES_PER_MEGABYTE),
                                                  one_decimal(seconds.count())});
    if (console.converted > 0) summary += where_saved(*console.options);
    std::fprintf(stderr, "%s\n", summary.c_str());
    std::fflush(stderr);
}

std::string terminal_path(const std::string& path) {
    size_t count = 0;
    unsigned char* converted = platform_name_to_utf8(path.c_str(), &count);
    std::string text(reinterpret_cast<const char*>(converted), count);
    std::free(converted);
    return text;
}
