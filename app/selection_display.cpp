#include "app/selection_display.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "app/selection.h"
#include "app/window_view.h"
#include "pipeline/preview.h"
#include "pipeline/source_loader.h"

namespace tessaline {

namespace {

constexpr size_t preview_limit = 30000;

const char list_header[] =
    "           \xBC\xB1\xC5\xC3\xB5\xC8 \xC6\xC4\xC0\xCF\xB5\xE9\r\n"  // 선택된 파일들
    " ===========================\r\n ";
const char name_separator[] = "\r\n ";
const char cut_mark[] = "...";

const char one_file_chosen[] = "1\xB0\xB3 \xC6\xC4\xC0\xCF \xBC\xB1\xC5\xC3\xB5\xCA";  // 1개 파일 선택됨
const char files_chosen[] = "\xB0\xB3 \xC6\xC4\xC0\xCF \xBC\xB1\xC5\xC3\xB5\xCA";      // 개 파일 선택됨

void append(char* list, size_t& length, const char* text, size_t count) {
    std::memcpy(list + length, text, count);
    length += count;
}

void reset_bars(WindowView& view) {
    view.set_file_progress(0);
    view.set_batch_progress(0);
}

// The beginning of the chosen file as the window reads it; the dotted tail follows when the file
// is longer than the preview, counted in the file's own bytes.
void show_single_file(WindowView& view) {
    LoadedText loaded;
    if (!load_text(selection_buffer, InputEncoding::automatic, OutputEncoding::cp949, loaded, preview_limit)) return;
    std::string preview = loaded.text;
    if (loaded.size > preview_limit) preview.append(dotted_tail, dotted_tail_length);
    view.show_preview(preview);
    view.set_status(one_file_chosen);
    reset_bars(view);
}

void show_multiple_files(WindowView& view) {
    static char list[selection_list_size];
    txt_file_count = list_text_files(list);
    view.show_preview(list);
    char status[32];
    std::snprintf(status, sizeof(status), "%d%s", txt_file_count, files_chosen);
    view.set_status(status);
    view.set_batch_range(txt_file_count);
    reset_bars(view);
}

}  // namespace

int list_text_files(char list[selection_list_size]) {
    const size_t name_end = sizeof(name_separator) - 1;
    size_t full_length = sizeof(list_header) - 1;
    int count = 0;
    for_each_text_file([&](const char*, size_t length) {
        full_length += length + name_end;
        ++count;
    });
    // When the whole list does not fit, every name must leave room for the closing "...".
    size_t room = selection_list_size - 1;
    bool cut = full_length > room;
    if (cut) room -= sizeof(cut_mark) - 1;
    size_t length = 0;
    append(list, length, list_header, sizeof(list_header) - 1);
    bool full = false;
    for_each_text_file([&](const char* name, size_t name_length) {
        if (full || length + name_length + name_end > room) {
            full = true;
            return;
        }
        append(list, length, name, name_length);
        append(list, length, name_separator, name_end);
    });
    if (cut) append(list, length, cut_mark, sizeof(cut_mark) - 1);
    list[length] = '\0';
    return count;
}

void take_open_dialog_result(bool chosen) {
    WindowView& view = window_view();
    // A first string that fills the whole buffer has no end: nothing usable was chosen.
    if (chosen && selection_string_length(0) == selection_buffer_size) chosen = false;
    selection_ready = chosen ? 1 : 0;
    if (!chosen) {
        view.show_preview("");
        return;
    }
    std::string folder_or_path(selection_buffer, selection_string_length(0));
    folder_or_path += '\\';
    view.show_path(folder_or_path);
    if (is_multiple_selection()) {
        show_multiple_files(view);
    } else {
        show_single_file(view);
    }
}

}  // namespace tessaline
