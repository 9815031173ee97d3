#include "pipeline/output_writer.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "pipeline/output_path.h"
#include "pipeline/own_footer.h"
#include "pipeline/run_settings.h"
#include "pipeline/view_calls.h"
#include "platform/platform.h"

const char DOTTED_TAIL[] =
    "\r\n\r\n"
    "                  .\r\n"
    "                  .\r\n"
    "                  .\r\n"
    "                  .\r\n"
    "                  .\r\n";

namespace {

// The footer stands three line breaks below the text.
constexpr char FOOTER_GAP[] = "\r\n\r\n\r\n";

// The written string of the last file, kept to spare a new allocation for every file.
TextBuffer written;
TextBuffer preview;

void put(TextBuffer& buffer, size_t& length, const void* bytes, size_t count) {
    text_buffer_reserve(buffer, length + count + 1);
    if (count > 0) std::memcpy(buffer.bytes + length, bytes, count);
    length += count;
    buffer.bytes[length] = 0;
}

bool is_trailing_blank(unsigned char c) { return c == ' ' || c == '\r' || c == '\n'; }

// Length of the text after its trailing spaces and line breaks are cut, and whether a CR LF
// follows; the first byte is never looked at, so a text of one byte stays as it is.
size_t trimmed_length(const unsigned char* text, size_t length, bool& add_line_end) {
    add_line_end = false;
    for (size_t k = length; length >= 2 && k > 1; --k) {
        if (!is_trailing_blank(text[k - 1])) {
            add_line_end = true;
            return k;
        }
    }
    return length;
}

bool fail(const std::string& path, const std::string& reason) {
    report_failure(path.c_str(), reason.c_str());
    return false;
}

// The result is never more readable than its input: it gets the input's permission bits.
bool replace_like_input(const std::string& path, const unsigned char* bytes, size_t count, const char* input_path) {
    PlatformReplacement* replacement = platform_begin_replacement(path.c_str());
    if (replacement == nullptr) return false;
    platform_write_replacement(replacement, bytes, count);
    return platform_finish_replacement(replacement, input_path);
}

bool uses_tessaline_folder() { return run_settings.output_dir == nullptr || run_settings.output_dir[0] == 0; }

// A Tessaline folder that is a link would carry the results wherever it points.
bool is_linked_folder(std::string folder) {
    while (folder.size() > 1 && platform_is_separator(folder.back())) folder.pop_back();
    return platform_is_link(folder.c_str());
}

// Puts the written string where it belongs, converted to UTF-8 when that is asked for.
bool deliver(const char* input_path, const unsigned char* bytes, size_t count) {
    if (run_settings.to_stdout == 1) {
        if (platform_write_stdout(bytes, count)) return true;
        return fail("standard output", std::string("cannot be written: ") + platform_error_text());
    }
    std::string folder = output_folder_for(input_path);
    std::string path = output_path_for(input_path);
    if (uses_tessaline_folder() && run_settings.refuse_linked_folder == 1 && is_linked_folder(folder))
        return fail(path, "is not written: the Tessaline folder is a symbolic link (name an output folder with -o)");
    if (!create_output_folder(folder))
        return fail(path, "cannot create the folder " + folder + ": " + platform_error_text());
    if (platform_same_file(path.c_str(), input_path)) return fail(path, "would replace its own input file");
    if (!replace_like_input(path, bytes, count, input_path))
        return fail(path, std::string("cannot be written: ") + platform_error_text());
    return true;
}

bool deliver_encoded(const char* input_path, size_t length) {
    if (run_settings.output_encoding != OUTPUT_UTF8) return deliver(input_path, written.bytes, length);
    size_t count = 0;
    unsigned char* utf8 = platform_cp949_to_utf8(written.bytes, length, &count);
    bool delivered = deliver(input_path, utf8, count);
    std::free(utf8);
    return delivered;
}

void show_cut_preview(const ProgressView* view, size_t length, int preview_limit) {
    size_t limit = preview_limit > 0 ? static_cast<size_t>(preview_limit) : 0;
    if (length <= limit) {
        view_show_preview(view, reinterpret_cast<const char*>(written.bytes));
        return;
    }
    size_t shown = 0;
    put(preview, shown, written.bytes, limit);
    put(preview, shown, DOTTED_TAIL, DOTTED_TAIL_LENGTH);
    view_show_preview(view, reinterpret_cast<const char*>(preview.bytes));
}

}  // namespace

size_t compose_text(TextBuffer& into, const unsigned char* text, size_t length) {
    bool add_line_end = false;
    size_t kept = trimmed_length(text, length, add_line_end);
    size_t total = 0;
    put(into, total, text, kept);
    if (add_line_end) put(into, total, "\r\n", 2);
    return total;
}

size_t compose_output(TextBuffer& into, const unsigned char* text, size_t length, int year, int month, int day) {
    size_t total = compose_text(into, text, length);
    char date[48];
    int date_length = std::snprintf(date, sizeof date, "%d.%d.%d]\r\n", year, month, day);
    put(into, total, FOOTER_GAP, sizeof FOOTER_GAP - 1);
    put(into, total, FOOTER_VERSION_LINE, std::strlen(FOOTER_VERSION_LINE));
    put(into, total, "\r\n", 2);
    put(into, total, FOOTER_DATE_OPENING, std::strlen(FOOTER_DATE_OPENING));
    put(into, total, date, static_cast<size_t>(date_length));
    return total;
}

bool write_output(const ProgressView* view, const unsigned char* text, size_t length, const char* input_path,
                  int preview_limit) {
    view_set_file_progress(view, 100);
    int year = 0, month = 0, day = 0;
    platform_local_date(&year, &month, &day);
    size_t total = run_settings.no_footer == 1 ? compose_text(written, text, length)
                                               : compose_output(written, text, length, year, month, day);
    if (!deliver_encoded(input_path, total)) return false;
    show_cut_preview(view, total, preview_limit);
    return true;
}
