#include "app/commands.h"

#include "app/about_dialog.h"
#include "app/control_ids.h"
#include "app/main_window.h"
#include "app/open_dialog.h"
#include "app/resources/resource_ids.h"
#include "app/window_view.h"

namespace tessaline {

namespace {

HWND checkbox_with_id(int id) {
    switch (id) {
    case ID_SPLIT_LONG_SENTENCES: return main_window.split_long_sentences_check;
    case ID_REMOVE_HANJA: return main_window.remove_hanja_check;
    case ID_BLANK_AFTER_LONG: return main_window.blank_after_long_check;
    default: return main_window.mark_joins_check;
    }
}

// The checkboxes are plain ones: the window, not the control, flips their state.
void toggle_checkbox(int id) {
    HWND checkbox = checkbox_with_id(id);
    bool unchecked = SendMessageA(checkbox, BM_GETCHECK, 0, 0) == BST_UNCHECKED;
    SendMessageA(checkbox, BM_SETCHECK, unchecked ? BST_CHECKED : BST_UNCHECKED, 0);
}

}  // namespace

bool handle_command(int id) {
    switch (id) {
    case ID_SPLIT_LONG_SENTENCES:
    case ID_REMOVE_HANJA:
    case ID_BLANK_AFTER_LONG:
    case ID_MARK_JOINS:
        toggle_checkbox(id);
        return true;
    case ID_OPEN:
        choose_files(main_window.window);
        return true;
    case ID_CONVERT:
        convert_selection(window_option_controls(), window_view());
        return true;
    case ID_EXIT:
    case COMMAND_EXIT_MENU:
        DestroyWindow(main_window.window);
        return true;
    case COMMAND_ABOUT:
        show_about_dialog(main_window.instance, main_window.window);
        return true;
    default:
        return false;
    }
}

}  // namespace tessaline
