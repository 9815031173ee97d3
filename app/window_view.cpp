#include "app/window_view.h"

#include <windows.h>
// after windows.h, whose types it uses
#include <commctrl.h>

#include "app/main_window.h"

namespace tessaline {

namespace {

// The field holds at most nine characters and the NUL behind them.
constexpr int min_length_text_size = 10;

bool is_checked(HWND checkbox) { return SendMessageA(checkbox, BM_GETCHECK, 0, 0) == BST_CHECKED; }

class WindowOptionControls final : public OptionControls {
public:
    std::array<bool, 4> check_states() override {
        return {is_checked(main_window.split_long_sentences_check), is_checked(main_window.remove_hanja_check),
                is_checked(main_window.blank_after_long_check), is_checked(main_window.mark_joins_check)};
    }

    std::string min_length_text() override {
        char text[min_length_text_size] = "";
        GetWindowTextA(main_window.min_length_field, text, min_length_text_size);
        return text;
    }

    void uncheck_mark_joins() override { SendMessageA(main_window.mark_joins_check, BM_SETCHECK, BST_UNCHECKED, 0); }
};

}  // namespace

void WindowView::show_path(const std::string& path) { SetWindowTextA(main_window.path_box, path.c_str()); }

void WindowView::set_status(const std::string& text) { SetWindowTextA(main_window.status_line, text.c_str()); }

void WindowView::set_file_progress(int percent) {
    SendMessageA(main_window.file_bar, PBM_SETPOS, static_cast<WPARAM>(percent), 0);
}

void WindowView::show_preview(const std::string& text) { SetWindowTextA(main_window.preview_box, text.c_str()); }

void WindowView::set_batch_progress(int files_done) {
    SendMessageA(main_window.batch_bar, PBM_SETPOS, static_cast<WPARAM>(files_done), 0);
}

void WindowView::refresh() {
    InvalidateRect(main_window.window, nullptr, TRUE);
    UpdateWindow(main_window.window);
}

void WindowView::show_message(const std::string& text) {
    MessageBoxA(nullptr, text.c_str(), "\xC8\xAE\xC0\xCE", MB_OK);  // 확인
}

void WindowView::set_batch_range(int count) {
    SendMessageA(main_window.batch_bar, PBM_SETRANGE, 0, MAKELPARAM(0, count));
}

WindowView& window_view() {
    static WindowView view;
    return view;
}

OptionControls& window_option_controls() {
    static WindowOptionControls controls;
    return controls;
}

}  // namespace tessaline
