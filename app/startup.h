#pragma once

#include <windows.h>

namespace tessaline {

// Loads the title and class name, registers the class, creates the main window and shows it as
// `show` asks; nullptr when the window cannot be created.
HWND start_main_window(HINSTANCE instance, int show);

// Runs the message loop until the quit message and returns its exit code. Accelerators are
// translated for the main window whichever of its windows the message is for, so Alt+? works
// while a control has the keyboard focus.
int run_message_loop(HWND main, HACCEL accelerators);

}  // namespace tessaline
