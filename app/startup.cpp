#include "app/startup.h"

#include <commctrl.h>

#include "app/main_window.h"
#include "app/resources/resource_ids.h"

namespace tessaline {

namespace {

constexpr int resource_string_size = 100;

}  // namespace

HWND start_main_window(HINSTANCE instance, int show) {
    char title[resource_string_size] = "";
    char class_name[resource_string_size] = "";
    LoadStringA(instance, STRING_WINDOW_TITLE, title, resource_string_size);
    LoadStringA(instance, STRING_CLASS_NAME, class_name, resource_string_size);
    // The progress bar class lives in the common controls library.
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&controls);
    register_main_window_class(instance, class_name);
    HWND window = create_main_window(instance, class_name, title);
    if (window == nullptr) return nullptr;
    ShowWindow(window, show);
    UpdateWindow(window);
    return window;
}

int run_message_loop(HWND main, HACCEL accelerators) {
    MSG message = {};
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (TranslateAcceleratorA(main, accelerators, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}

}  // namespace tessaline
