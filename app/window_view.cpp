#include "app/window_view.h"

#include <windows.h>
#include <commctrl.h>

#include "app/main_window.h"
#include "pipeline/progress_view.h"

namespace {

MainWindow& window_of(void* context) { return *static_cast<MainWindow*>(context); }

void set_file_progress(void* context, int percent) {
    SendMessageA(window_of(context).file_bar, PBM_SETPOS, static_cast<WPARAM>(percent), 0);
}

void set_batch_range(void* context, int count) {
    SendMessageA(window_of(context).batch_bar, PBM_SETRANGE, 0, MAKELPARAM(0, count));
}

void set_batch_progress(void* context, int files_done) {
    SendMessageA(window_of(context).batch_bar, PBM_SETPOS, static_cast<WPARAM>(files_done), 0);
}

void set_status(void* context, const char* text) { SetWindowTextA(window_of(context).status_line, text); }

void show_path(void* context, const char* text) { SetWindowTextA(window_of(context).path_box, text); }

void show_preview(void* context, const char* text) { SetWindowTextA(window_of(context).preview_box, text); }

void refresh(void* context) {
    HWND window = window_of(context).window;
    InvalidateRect(window, nullptr, TRUE);
    UpdateWindow(window);
}

void show_message(void*, const char* text) {
    MessageBoxA(nullptr, text, "\xC8\xAE\xC0\xCE", MB_OK);  // 확인
}

int check_state(HWND checkbox) { return SendMessageA(checkbox, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0; }

void read_checkboxes(void* context, int flags[4]) {
    const MainWindow& window = window_of(context);
    flags[0] = check_state(window.split_long_sentences_check);
    flags[1] = check_state(window.remove_hanja_check);
    flags[2] = check_state(window.blank_after_long_check);
    flags[3] = check_state(window.mark_joins_check);
}

void read_min_length_text(void* context, char text[10]) {
    text[0] = '\0';
    GetWindowTextA(window_of(context).min_length_field, text, 10);
}

void uncheck_mark_joins(void* context) {
    SendMessageA(window_of(context).mark_joins_check, BM_SETCHECK, BST_UNCHECKED, 0);
}

const ProgressView WINDOW_VIEW = {
    &main_window,       set_file_progress, set_batch_range, set_batch_progress, set_status,
    show_path,          show_preview,      refresh,         show_message,       read_checkboxes,
    read_min_length_text, uncheck_mark_joins,
};

}  // namespace

const ProgressView* window_view() { return &WINDOW_VIEW; }
