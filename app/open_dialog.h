#pragma once

#include <windows.h>

namespace tessaline {

// Runs the open dialog into the selection buffer and shows what it chose.
void choose_files(HWND owner);

}  // namespace tessaline
