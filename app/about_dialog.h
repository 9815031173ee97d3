#pragma once

#include <windows.h>

namespace tessaline {

// Shows the About dialog modally over `owner` and returns when it is closed.
void show_about_dialog(HINSTANCE instance, HWND owner);

INT_PTR CALLBACK about_dialog_procedure(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);

}  // namespace tessaline
