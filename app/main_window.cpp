#include "app/main_window.h"

#include "app/commands.h"
#include "app/controls.h"
#include "app/resources/resource_ids.h"

namespace tessaline {

MainWindow main_window;

namespace {

void centre_on_screen(HWND window) {
    int x = (GetSystemMetrics(SM_CXMAXIMIZED) - main_window_width) / 2;
    int y = (GetSystemMetrics(SM_CYMAXIMIZED) - main_window_height) / 2;
    MoveWindow(window, x, y, main_window_width, main_window_height, TRUE);
}

void on_create(HWND window, const CREATESTRUCTA* creation) {
    main_window.instance = creation->hInstance;
    main_window.window = window;
    centre_on_screen(window);
    main_window.font = create_controls_font();
    create_controls(main_window);
    main_window.white_brush = CreateSolidBrush(RGB(255, 255, 255));
}

void on_destroy() {
    DeleteObject(main_window.white_brush);
    main_window.white_brush = nullptr;
    PostQuitMessage(0);
}

// The font outlives the controls that use it: it goes only once they are destroyed.
void on_final_destroy() {
    DeleteObject(main_window.font);
    main_window = MainWindow{};
}

void on_paint(HWND window) {
    PAINTSTRUCT paint;
    BeginPaint(window, &paint);
    EndPaint(window, &paint);
}

bool is_read_only_edit(HWND control) {
    return control != nullptr && (control == main_window.path_box || control == main_window.preview_box);
}

}  // namespace

bool register_main_window_class(HINSTANCE instance, const char* class_name) {
    WNDCLASSEXA window_class = {};
    window_class.cbSize = sizeof(window_class);
    window_class.style = CS_HREDRAW | CS_VREDRAW;
    window_class.lpfnWndProc = main_window_procedure;
    window_class.hInstance = instance;
    window_class.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(ICON_WINDOW_LARGE));
    window_class.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // the standard arrow
    window_class.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    window_class.lpszMenuName = MAKEINTRESOURCEA(MENU_MAIN);
    window_class.lpszClassName = class_name;
    // The small icon's own 16-pixel image, rather than its 32-pixel one shrunk by the system.
    window_class.hIconSm =
        static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(ICON_WINDOW_SMALL), IMAGE_ICON,
                                      GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    return RegisterClassExA(&window_class) != 0;
}

HWND create_main_window(HINSTANCE instance, const char* class_name, const char* title) {
    return CreateWindowExA(0, class_name, title, WS_SYSMENU | WS_MINIMIZEBOX, CW_USEDEFAULT, 0, main_window_width,
                           main_window_height, nullptr, nullptr, instance, nullptr);
}

LRESULT CALLBACK main_window_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_CREATE: on_create(window, reinterpret_cast<const CREATESTRUCTA*>(lparam)); return 0;
    case WM_COMMAND:
        if (handle_command(LOWORD(wparam))) return 0;
        break;
    case WM_CTLCOLORSTATIC:
        if (is_read_only_edit(reinterpret_cast<HWND>(lparam))) {
            SetBkColor(reinterpret_cast<HDC>(wparam), RGB(255, 255, 255));
            return reinterpret_cast<LRESULT>(main_window.white_brush);
        }
        break;
    case WM_PAINT: on_paint(window); return 0;
    case WM_DESTROY: on_destroy(); return 0;
    case WM_NCDESTROY: on_final_destroy(); break;
    }
    return DefWindowProcA(window, message, wparam, lparam);
}

}  // namespace tessaline
