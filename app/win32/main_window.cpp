// The main window: menu commands, drops and focus.

#include <windows.h>
// shellapi.h follows windows.h
#include <shellapi.h>

#include <string>
#include <vector>

#include "app/win32/gui_state.h"
#include "app/win32/gui_windows.h"
#include "batch/batch.h"
#include "convert/resource_types.h"
#include "dialogs/file_dialog.h"
#include "resources/resource.h"
#include "resources/texts.h"
#include "settings/settings.h"

namespace tw::win32 {
namespace {

// A batch over a list of paths, with the main window owning its questions and summary.
void convert_paths(HWND window, const std::vector<std::string>& paths) {
    HWND previous = g_gui.message_owner;
    g_gui.message_owner = window;
    convert_batch(paths);
    g_gui.message_owner = previous;
}

void choose_and_convert(HWND window) {
    FileDialogRequest request;
    request.title = kChooseFileTitle;
    request.filter = std::string(kAllFilesFilter) + '\0' + "*.*" + '\0';
    request.multi_select = 1;
    request.default_ext = "bmp";
    // The chooser belongs to the main window only while it is open: a dialog that
    // is open beside it keeps owning its own messages afterwards.
    HWND previous = g_gui.message_owner;
    g_gui.message_owner = window;
    const bool chosen = choose_file(request);
    g_gui.message_owner = previous;
    if (!chosen) return;  // cancelled or too long: no summary
    convert_paths(window, chosen_file_paths(request));
}

void choose_resource_type(HWND window, UINT id) {
    set_menu_check(window, g_runtime.resource_type, false);
    const ResourceType* type = resource_type_by_menu(id);
    if (type != nullptr && type->unit_width != 0) {
        g_runtime.sprite_width = type->unit_width;
        g_runtime.sprite_height = type->unit_height;
    }
    g_runtime.resource_type = static_cast<uint16_t>(id);
    set_menu_check(window, id, true);
}

}  // namespace

void set_menu_check(HWND window, UINT id, bool checked) {
    CheckMenuItem(GetMenu(window), id, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

LRESULT CALLBACK main_window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_SETFOCUS:
            if (g_gui.open_dialog) SetFocus(g_gui.open_dialog);
            return 0;
        case WM_CLOSE:
            g_gui.quit = true;
            return 0;
        case WM_COMMAND: {
            const UINT id = LOWORD(wparam);
            HINSTANCE instance =
                reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window, GWLP_HINSTANCE));
            if (id == IDM_EXIT)
                SendMessageW(window, WM_CLOSE, 0, 0);
            else if (id == IDM_CONVERT)
                choose_and_convert(window);
            else if (id == IDM_PACKAGE)
                run_package_dialog(instance);
            else if (id >= IDM_TYPE_BG && id <= IDM_TYPE_BIN)
                choose_resource_type(window, id);
            else if (id == IDM_OPTIONS)
                run_options_dialog(instance);
            return 0;
        }
        case WM_DROPFILES: {
            HDROP drop = reinterpret_cast<HDROP>(wparam);
            std::vector<std::string> paths = dropped_file_paths(drop);
            DragFinish(drop);
            convert_paths(window, paths);
            return 0;
        }
        default:
            return DefWindowProcW(window, message, wparam, lparam);
    }
}

}  // namespace tw::win32
