// Puts the window on the screen in the states scripts/screenshot photographs: the main window
// after converting the sample story, then the About dialog over it. For each it writes
// NAME.ready holding the screen rectangle "left top width height" into the folder given as the
// only argument, and waits until the script has left NAME.done there.
#include <windows.h>

#include <cstdio>
#include <string>

#include "app/about_dialog.h"
#include "app/main_window.h"
#include "app/resources/resource_ids.h"
#include "app/selection_display.h"
#include "tests/win32/support/win32_harness.h"

namespace tessaline {

namespace {

constexpr DWORD wait_for_script_ms = 60000;
constexpr UINT poll_ms = 50;

std::string folder;

bool exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

void announce(const char* name, HWND window) {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    RECT rect = {};
    GetWindowRect(window, &rect);
    char place[64];
    std::snprintf(place, sizeof place, "%ld %ld %ld %ld\n", rect.left, rect.top, rect.right - rect.left,
                  rect.bottom - rect.top);
    write_file(folder + name + ".ready", place);
}

// Keeps the windows painted until the script has taken its picture; false when it never did.
bool wait_for_picture(const char* name) {
    std::string done = folder + name + ".done";
    for (DWORD waited = 0; waited < wait_for_script_ms; waited += poll_ms) {
        pump_messages();
        if (exists(done)) return true;
        Sleep(poll_ms);
    }
    std::fprintf(stderr, "screenshot_scenes: no %s.done in %s\n", name, folder.c_str());
    return false;
}

bool about_pictured = false;

void CALLBACK on_about_tick(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND dialog = GetLastActivePopup(main_window.window);
    if (dialog == main_window.window) return;
    KillTimer(nullptr, timer);
    announce("about", dialog);
    about_pictured = wait_for_picture("about");
    EndDialog(dialog, IDOK);
}

bool convert_sample() {
    select_single(folder + "lighthouse_winter.txt");
    take_open_dialog_result(true);
    // The completion message box is answered at once, as a user reading it would.
    return with_dialog([] { SendMessageA(main_window.convert_button, BM_CLICK, 0, 0); },
                       [](HWND box) { PostMessageA(GetDlgItem(box, IDOK), BM_CLICK, 0, 0); });
}

}  // namespace

int show_scenes(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: screenshot_scenes FOLDER\n");
        return 2;
    }
    folder = std::string(argv[1]) + "\\";
    HWND window = start_window();
    if (window == nullptr || !convert_sample()) {
        std::fprintf(stderr, "screenshot_scenes: the sample story in %s could not be converted\n", folder.c_str());
        return 1;
    }
    SetForegroundWindow(window);
    announce("main", window);
    if (!wait_for_picture("main")) return 1;
    SetTimer(nullptr, 0, poll_ms, on_about_tick);
    show_about_dialog(GetModuleHandleA(nullptr), window);
    close_window(window);
    return about_pictured ? 0 : 1;
}

}  // namespace tessaline

int main(int argc, char** argv) { return tessaline::show_scenes(argc, argv); }
