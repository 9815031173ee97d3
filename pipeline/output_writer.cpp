#include "pipeline/output_writer.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "pipeline/output_path.h"
#include "pipeline/run_settings.h"
#include "pipeline/source_loader.h"
#include "pipeline/text_encoder.h"
#include "pipeline/text_warnings.h"
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

constexpr char VERSION_LINE[] = "\r\n\r\n\r\n[modify by Tessaline  beta2 ver 2010.7.7]\r\n[Text modified date: ";

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

// Puts the written string where it belongs, converted to UTF-8 when that is asked for.
bool deliver(const char* input_path, const unsigned char* bytes, size_t count) {
    if (run_settings.to_stdout == 1) {
        if (platform_write_stdout(bytes, count)) return true;
        return fail("standard output", std::string("cannot be written: ") + platform_error_text());
    }
    std::string folder = output_folder_for(input_path);
    std::string path = output_path_for(input_path);
    if (!create_output_folder(folder))
        return fail(path, "cannot create the folder " + folder + ": " + platform_error_text());
    if (platform_same_file(path.c_str(), input_path)) return fail(path, "would replace its own input file");
    if (!platform_replace_file(path.c_str(), bytes, count))
        return fail(path, std::string("cannot be written: ") + platform_error_text());
    return true;
}

// A UTF-8 result gets back the characters the stand-ins stood for.
bool deliver_encoded(const char* input_path, size_t length) {
    if (output_encoding_for(run_settings.output_encoding, loaded_source.encoding) != TextEncoding::utf8)
        return deliver(input_path, written.bytes, length);
    std::string utf8;
    TextEncoder encoder(TextEncoding::utf8, &loaded_source.stand_ins);
    encoder.encode(std::span(written.bytes, length), utf8);
    encoder.finish(utf8);
    return deliver(input_path, reinterpret_cast<const unsigned char*>(utf8.data()), utf8.size());
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

size_t compose_output(TextBuffer& into, const unsigned char* text, size_t length, int year, int month, int day) {
    bool add_line_end = false;
    size_t kept = trimmed_length(text, length, add_line_end);
    size_t total = 0;
    put(into, total, text, kept);
    if (add_line_end) put(into, total, "\r\n", 2);
    char date[48];
    int date_length = std::snprintf(date, sizeof date, "%d.%d.%d]\r\n", year, month, day);
    put(into, total, VERSION_LINE, sizeof VERSION_LINE - 1);
    put(into, total, date, static_cast<size_t>(date_length));
    return total;
}

bool write_output(const ProgressView* view, const unsigned char* text, size_t length, const char* input_path,
                  int preview_limit) {
    view_set_file_progress(view, 100);
    int year = 0, month = 0, day = 0;
    platform_local_date(&year, &month, &day);
    size_t total = compose_output(written, text, length, year, month, day);
    if (!deliver_encoded(input_path, total)) return false;
    report_warning(loaded_source.name.c_str(), unkept_warning(loaded_source.unkept));
    show_cut_preview(view, total, preview_limit);
    return true;
}
