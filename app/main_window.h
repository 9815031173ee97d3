#pragma once

#include <windows.h>

namespace tessaline {

// The main window, its controls and the drawing objects it owns while it exists.
struct MainWindow {
    HINSTANCE instance;
    HWND window;
    HWND open_button;
    HWND convert_button;
    HWND exit_button;
    HWND split_long_sentences_check;
    HWND blank_after_long_check;
    HWND remove_hanja_check;
    HWND mark_joins_check;
    HWND min_length_field;
    HWND min_length_label;
    HWND path_box;
    HWND preview_box;
    HWND status_line;
    HWND file_bar;
    HWND batch_bar;
    HFONT font;
    HBRUSH white_brush;
};

extern MainWindow main_window;

constexpr int main_window_width = 600;
constexpr int main_window_height = 455;

// Registers the window class; false when it could not be registered (for example because it
// already is).
bool register_main_window_class(HINSTANCE instance, const char* class_name);

// Creates the main window, centred, with all its controls; nullptr when it cannot be created.
HWND create_main_window(HINSTANCE instance, const char* class_name, const char* title);

LRESULT CALLBACK main_window_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

}  // namespace tessaline
