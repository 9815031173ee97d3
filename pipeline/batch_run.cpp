#include "pipeline/batch_run.h"

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "pipeline/batch_texts.h"
#include "pipeline/document_conversion.h"
#include "pipeline/min_length.h"
#include "pipeline/source_loader.h"
#include "pipeline/view_calls.h"
#include "platform/platform.h"

char selection_buffer[SELECTION_BUFFER_SIZE];
int selection_ready;
int txt_file_count;

namespace {

// Files of the current run that could not be loaded or written, by name.
std::vector<std::string> failed_files;

// A selection that filled the whole buffer still ends in the two NULs that close it.
void close_selection() {
    selection_buffer[SELECTION_BUFFER_SIZE - 2] = 0;
    selection_buffer[SELECTION_BUFFER_SIZE - 1] = 0;
}

size_t after_first_string() { return std::strlen(selection_buffer) + 1; }

bool is_multiple_selection() { return selection_buffer[after_first_string()] != 0; }

const char* name_part(const char* path) {
    const char* name = path;
    for (const char* at = path; *at != 0; ++at)
        if (platform_is_separator(*at)) name = at + 1;
    return name;
}

// The failed file's name for the Korean status texts, which are CP949 on every system.
std::string failed_name(const std::string& path) {
    size_t count = 0;
    unsigned char* name = platform_name_to_cp949(name_part(path.c_str()), &count);
    std::string converted(reinterpret_cast<const char*>(name), count);
    std::free(name);
    return converted;
}

void read_min_length(const ProgressView* view) {
    char text[MIN_LENGTH_DIGITS + 1] = {};
    if (view_read_min_length_text(view, text)) conversion_options.min_line_bytes = min_line_bytes_from(text);
}

// A check state other than 1 leaves its option off.
void read_options(const ProgressView* view) {
    tessaline::ConversionOptions& o = conversion_options;
    int flags[4] = {o.split_long_sentences ? 1 : 0, o.remove_hanja ? 1 : 0, o.blank_after_long ? 1 : 0,
                    o.mark_joins ? 1 : 0};
    view_read_checkboxes(view, flags);
    o.split_long_sentences = flags[0] == 1;
    o.remove_hanja = flags[1] == 1;
    o.blank_after_long = flags[2] == 1;
    o.mark_joins = flags[3] == 1;
}

// Makes the path the current input path and loads it; false, with the file named among the
// failures, when it could not be loaded.
bool load(const ProgressView* view, const std::string& path) {
    set_current_input_path(path.c_str());
    view_show_path(view, path.c_str());
    if (load_source_file(path.c_str())) return true;
    failed_files.push_back(failed_name(path));
    return false;
}

// Converts the loaded file; false, with the file named among the failures, when it was not written.
bool convert(const ProgressView* view, const std::string& path, int preview_limit) {
    if (convert_document(view, preview_limit) == 0) return true;
    failed_files.push_back(failed_name(path));
    return false;
}

void report_end(const ProgressView* view, int converted, const std::string& status, const std::string& message) {
    if (failed_files.empty()) {
        view_set_status(view, status.c_str());
        view_show_message(view, message.c_str());
        return;
    }
    view_set_status(view, failed_status(converted, failed_files).c_str());
    view_show_message(view, failed_message(converted, failed_files).c_str());
}

void run_multiple(const ProgressView* view) {
    std::string folder = std::string(selection_buffer) + platform_separator();
    int loaded = 0;
    int converted = 0;
    for (size_t at = after_first_string(); at < SELECTION_BUFFER_SIZE && selection_buffer[at] != 0;) {
        const char* name = selection_buffer + at;
        at += std::strlen(name) + 1;
        if (!passes_text_file_test(name)) continue;
        std::string path = folder + name;
        if (!load(view, path)) continue;
        read_options(view);
        ++loaded;
        view_set_status(view, progress_status(txt_file_count, loaded).c_str());
        if (convert(view, path, loaded < txt_file_count ? PREVIEW_LIMIT_EARLIER : PREVIEW_LIMIT_LAST)) ++converted;
        view_set_batch_progress(view, loaded);
        view_refresh(view);
    }
    report_end(view, converted, finished_status(txt_file_count), finished_message(txt_file_count));
    selection_ready = 0;
}

// A single file that failed leaves the selection ready, so the run can be tried again.
void run_single(const ProgressView* view) {
    std::string path = selection_buffer;
    if (load(view, path)) {
        read_options(view);
        convert(view, path, PREVIEW_LIMIT_LAST);
    }
    report_end(view, 0, SINGLE_FINISHED_STATUS, SINGLE_FINISHED_MESSAGE);
    if (failed_files.empty()) selection_ready = 0;
}

}  // namespace

bool passes_text_file_test(const char* name) {
    size_t length = std::strlen(name);
    if (length < 3) return false;
    const char* tail = name + length - 3;
    for (int k = 0; k < 3; ++k) {
        char c = tail[k];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c != "txt"[k]) return false;
    }
    return true;
}

int count_text_files() {
    close_selection();
    if (!is_multiple_selection()) return 0;
    int count = 0;
    for (size_t at = after_first_string(); at < SELECTION_BUFFER_SIZE && selection_buffer[at] != 0;) {
        const char* name = selection_buffer + at;
        at += std::strlen(name) + 1;
        if (passes_text_file_test(name)) ++count;
    }
    return count;
}

void run_batch(const ProgressView* view) {
    if (selection_ready == 0) return;
    close_selection();
    failed_files.clear();
    read_min_length(view);
    if (is_multiple_selection()) run_multiple(view);
    else run_single(view);
    view_uncheck_mark_joins(view);
}
