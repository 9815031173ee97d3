#include "tests/win32/support/win32_harness.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "app/selection.h"
#include "app/startup.h"

namespace tessaline {

namespace {

constexpr UINT tick_ms = 20;
constexpr int ticks_before_forced_close = 250;

struct DialogWatch {
    const std::function<void(HWND)>* inspect;
    HWND dialog;
    bool inspected;
    int ticks_after;
    bool forced;
};

DialogWatch watch = {};

BOOL CALLBACK find_dialog(HWND window, LPARAM found) {
    if (class_of(window) == "#32770" && IsWindowVisible(window)) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

HWND open_dialog_of_thread() {
    HWND found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), find_dialog, reinterpret_cast<LPARAM>(&found));
    return found;
}

void CALLBACK on_tick(HWND, UINT, UINT_PTR, DWORD) {
    if (!watch.inspected) {
        HWND dialog = open_dialog_of_thread();
        if (dialog == nullptr) return;
        watch.dialog = dialog;
        watch.inspected = true;
        (*watch.inspect)(dialog);
        return;
    }
    if (!IsWindow(watch.dialog) || ++watch.ticks_after < ticks_before_forced_close) return;
    watch.forced = true;
    EndDialog(watch.dialog, IDCANCEL);
}

void remove_tree(const std::string& folder) {
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &entry);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::string name = entry.cFileName;
            if (name == "." || name == "..") continue;
            std::string path = folder + "\\" + name;
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                remove_tree(path);
            } else {
                DeleteFileA(path.c_str());
            }
        } while (FindNextFileA(search, &entry));
        FindClose(search);
    }
    RemoveDirectoryA(folder.c_str());
}

}  // namespace

std::string window_text(HWND window) {
    int length = GetWindowTextLengthA(window);
    std::vector<char> text(static_cast<size_t>(length) + 1);
    int got = GetWindowTextA(window, text.data(), length + 1);
    return std::string(text.data(), static_cast<size_t>(got));
}

std::string class_of(HWND window) {
    char name[256] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}

HWND start_window() {
    HWND window = start_main_window(GetModuleHandleA(nullptr), SW_SHOWNORMAL);
    EXPECT_NE(window, nullptr) << "the main window could not be created";
    pump_messages();
    return window;
}

void close_window(HWND window) {
    if (IsWindow(window)) DestroyWindow(window);
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) break;
        DispatchMessageA(&message);
    }
}

void pump_messages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

bool with_dialog(const std::function<void()>& action, const std::function<void(HWND dialog)>& inspect) {
    watch = DialogWatch{&inspect, nullptr, false, 0, false};
    UINT_PTR timer = SetTimer(nullptr, 0, tick_ms, on_tick);
    action();
    KillTimer(nullptr, timer);
    EXPECT_FALSE(watch.forced) << "the dialog stayed open and had to be closed by the test";
    return watch.inspected;
}

RECT client_rect_of_child(HWND child) {
    RECT rect = {};
    GetWindowRect(child, &rect);
    MapWindowPoints(HWND_DESKTOP, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

std::string fresh_folder(const char* name) {
    char temporary[MAX_PATH] = "";
    GetTempPathA(MAX_PATH, temporary);
    std::string folder = std::string(temporary) + name;
    remove_tree(folder);
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder + "\\";
}

void write_file(const std::string& path, const std::string& bytes) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << "cannot create " << path;
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    ASSERT_EQ(written, bytes.size()) << "cannot write " << path;
}

std::string read_file(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return "";
    std::string bytes(GetFileSize(file, nullptr), '\0');
    DWORD got = 0;
    if (!bytes.empty()) ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr);
    CloseHandle(file);
    bytes.resize(got);
    return bytes;
}

void select_single(const std::string& path) {
    std::memset(selection_buffer, 0, selection_buffer_size);
    std::memcpy(selection_buffer, path.data(), path.size());
}

void select_multiple(const std::string& folder, const std::vector<std::string>& names) {
    std::memset(selection_buffer, 0, selection_buffer_size);
    std::memcpy(selection_buffer, folder.data(), folder.size());
    size_t at = folder.size() + 1;
    for (const std::string& name : names) {
        std::memcpy(selection_buffer + at, name.data(), name.size());
        at += name.size() + 1;
    }
}

}  // namespace tessaline
