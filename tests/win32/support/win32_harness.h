#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/support/cp949.h"

namespace tessaline {

// A window's text as the bytes GetWindowTextA gives.
std::string window_text(HWND window);

// The class name of a window, such as "Button" or "#32770".
std::string class_of(HWND window);

// Creates the main window through the program's own start-up and fails the test when it cannot.
HWND start_window();

// Destroys the main window, if it is still there, and lets the quit message through.
void close_window(HWND window);

// Dispatches every message waiting for this thread, without accelerators.
void pump_messages();

// Runs `action`, during which a modal dialog or message box is expected to open. `inspect` is
// called once with that dialog and must close it; if it has not closed it after a few seconds
// the harness does, and the test fails. Returns false when no dialog opened while `action` ran.
bool with_dialog(const std::function<void()>& action, const std::function<void(HWND dialog)>& inspect);

// The rectangle of a child window in its parent's client coordinates.
RECT client_rect_of_child(HWND child);

// A folder of its own under the system's temporary folder, empty, ending in a backslash.
std::string fresh_folder(const char* name);

// Writes bytes to a file, replacing it; fails the test when it cannot.
void write_file(const std::string& path, const std::string& bytes);

// The whole content of a file; empty when it cannot be read.
std::string read_file(const std::string& path);

// Fills the selection buffer as the open dialog does: a single path, or a folder and names.
void select_single(const std::string& path);
void select_multiple(const std::string& folder, const std::vector<std::string>& names);

}  // namespace tessaline
