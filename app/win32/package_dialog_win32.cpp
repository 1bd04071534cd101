// The package dialog window: every message goes to the dialog's logic.

#include <windows.h>

#include "app/win32/gui_state.h"
#include "app/win32/gui_windows.h"
#include "app/win32/hwnd_controls.h"
#include "package/package_dialog.h"
#include "package/package_slots.h"

namespace tw::win32 {
namespace {

INT_PTR CALLBACK package_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM) {
    HwndControls controls(dialog);
    switch (message) {
        case WM_INITDIALOG:
            begin_modal_dialog(dialog);
            package_dialog_init(controls);
            return TRUE;
        case WM_COMMAND: {
            const int id = LOWORD(wparam);
            const int code = HIWORD(wparam);
            // Buttons act on clicks; the fields and boxes report changes that only
            // tidy the package name.
            const int role = slot_control_role(id);
            if (code != BN_CLICKED && id != ID_PACKAGE_NAME && role != SLOT_PATH &&
                role != SLOT_BANK && role != SLOT_SIZE)
                return TRUE;
            if (package_dialog_command(controls, id) == DIALOG_END) end_modal_dialog(dialog);
            return TRUE;
        }
        case WM_CLOSE:
            end_modal_dialog(dialog);
            return TRUE;
        default:
            return FALSE;
    }
}

}  // namespace

void run_package_dialog(HINSTANCE instance) {
    DialogBoxParamW(instance, L"PACKMENU", nullptr, package_proc, 0);
}

}  // namespace tw::win32
