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
    case id_split_long_sentences: return main_window.split_long_sentences_check;
    case id_remove_hanja: return main_window.remove_hanja_check;
    case id_blank_after_long: return main_window.blank_after_long_check;
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
    case id_split_long_sentences:
    case id_remove_hanja:
    case id_blank_after_long:
    case id_mark_joins: toggle_checkbox(id); return true;
    case id_open: choose_files(main_window.window); return true;
    case id_convert: convert_selection(window_option_controls(), window_view()); return true;
    case id_exit:
    case COMMAND_EXIT_MENU: DestroyWindow(main_window.window); return true;
    case COMMAND_ABOUT: show_about_dialog(main_window.instance, main_window.window); return true;
    default: return false;
    }
}

}  // namespace tessaline
