#include <windows.h>

#include "app/resources/resource_ids.h"
#include "app/startup.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
    HWND window = tessaline::start_main_window(instance, show);
    if (window == nullptr) return 0;
    HACCEL accelerators = LoadAcceleratorsA(instance, MAKEINTRESOURCEA(ACCELERATORS_MAIN));
    return tessaline::run_message_loop(window, accelerators);
}
