#include "app/about_dialog.h"

#include "app/resources/resource_ids.h"

namespace tessaline {

void show_about_dialog(HINSTANCE instance, HWND owner) {
    DialogBoxParamA(instance, MAKEINTRESOURCEA(DIALOG_ABOUT), owner, about_dialog_procedure, 0);
}

INT_PTR CALLBACK about_dialog_procedure(HWND dialog, UINT message, WPARAM wparam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG: return TRUE;
    case WM_COMMAND:
        // Id 1 is the OK button and Enter; id 2 is Esc and the caption's close box.
        if (LOWORD(wparam) == IDOK || LOWORD(wparam) == IDCANCEL) {
            EndDialog(dialog, LOWORD(wparam));
            return TRUE;
        }
        break;
    }
    return FALSE;
}

}  // namespace tessaline
