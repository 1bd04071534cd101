// The options dialog window: every message goes to the dialog's logic.

#include <windows.h>

#include "app/win32/gui_state.h"
#include "app/win32/gui_windows.h"
#include "app/win32/hwnd_controls.h"
#include "dialogs/options_dialog.h"

namespace tw::win32 {
namespace {

INT_PTR CALLBACK options_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM) {
    HwndControls controls(dialog);
    switch (message) {
        case WM_INITDIALOG:
            begin_modal_dialog(dialog);
            options_dialog_init(controls);
            return TRUE;
        case WM_COMMAND:
            if (options_dialog_command(controls, LOWORD(wparam)) == OPTIONS_END)
                end_modal_dialog(dialog);
            return TRUE;
        case WM_CLOSE:
            end_modal_dialog(dialog);
            return TRUE;
        default:
            return FALSE;
    }
}

}  // namespace

void run_options_dialog(HINSTANCE instance) {
    DialogBoxParamW(instance, L"OPTIONMENU", nullptr, options_proc, 0);
}

}  // namespace tw::win32
