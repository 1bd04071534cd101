#include "app/win32/gui_interaction.h"

#include <windows.h>
// commdlg.h and shlobj.h follow windows.h
#include <commdlg.h>
#include <shlobj.h>

#include <string>
#include <vector>

#include "app/win32/gui_state.h"
#include "app/win32/win32_text.h"
#include "common/fixed_text.h"
#include "dialogs/file_dialog.h"
#include "resources/texts.h"

namespace tw::win32 {

GuiState g_gui;

void begin_modal_dialog(HWND dialog) {
    g_gui.open_dialog = dialog;
    g_gui.message_owner = dialog;
}

void end_modal_dialog(HWND dialog) {
    g_gui.open_dialog = nullptr;
    g_gui.message_owner = g_gui.main_window;
    EndDialog(dialog, 1);
}

bool GuiInteraction::ask_yes_no(const char* text, const char* caption) {
    // The palette question belongs to the main window, whichever dialog is open.
    return MessageBoxW(g_gui.main_window, widen(text).c_str(), widen(caption).c_str(), MB_YESNO) ==
           IDYES;
}

void GuiInteraction::show_message(const char* text, const char* caption) {
    MessageBoxW(g_gui.message_owner, widen(text).c_str(), widen(caption).c_str(), MB_OK);
}

bool GuiInteraction::choose_file(FileDialogRequest& request) {
    // A buffer far larger than one path, so that a long multiple selection fits.
    std::vector<wchar_t> buffer(65536, L'\0');
    std::wstring title = widen(request.title);
    std::wstring filter = widen(request.filter);
    filter.push_back(L'\0');
    std::wstring ext = widen(request.default_ext);
    if (!ext.empty() && ext[0] == L'.') ext.erase(0, 1);

    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = g_gui.message_owner;
    ofn.lpstrFilter = filter.c_str();
    ofn.lpstrFile = buffer.data();
    ofn.nMaxFile = static_cast<DWORD>(buffer.size());
    ofn.lpstrTitle = title.c_str();
    ofn.lpstrDefExt = ext.empty() ? nullptr : ext.c_str();
    ofn.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    if (request.multi_select) ofn.Flags |= OFN_ALLOWMULTISELECT;
    if (request.overwrite_prompt)
        ofn.Flags |= OFN_OVERWRITEPROMPT;
    else
        ofn.Flags |= OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST;
    BOOL ok = request.overwrite_prompt ? GetSaveFileNameW(&ofn) : GetOpenFileNameW(&ofn);
    if (!ok) return false;

    // One path, or the folder, NUL, each name, NUL, and a final NUL.
    std::vector<std::string> parts;
    for (const wchar_t* p = buffer.data(); *p; p += wcslen(p) + 1) parts.push_back(narrow_ansi(p));
    if (parts.empty()) return false;
    if (parts.size() == 1) {
        if (!copy_text(request.file, sizeof request.file, parts[0])) return false;
        request.ext_offset = ofn.nFileExtension;
        return true;
    }
    request.selection.clear();
    for (const auto& part : parts) {
        request.selection += part;
        request.selection.push_back('\0');
    }
    request.selection.push_back('\0');
    request.ext_offset = 0;
    return true;
}

int GuiInteraction::choose_folder(char* folder, size_t cap) {
    // The shell's folder browser runs on COM, in a single-threaded apartment.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    struct ComScope {
        bool owned;
        ~ComScope() {
            if (owned) CoUninitialize();
        }
    } scope{SUCCEEDED(com)};
    std::wstring title = widen(kFolderPickerTitle);
    BROWSEINFOW bi{};
    bi.lpszTitle = title.c_str();
    bi.ulFlags = BIF_RETURNONLYFSDIRS;
    PIDLIST_ABSOLUTE list = SHBrowseForFolderW(&bi);
    if (list == nullptr) return FOLDER_CANCELLED;
    wchar_t path[MAX_PATH] = L"";
    BOOL ok = SHGetPathFromIDListW(list, path);
    CoTaskMemFree(list);
    if (!ok || !copy_text(folder, cap, narrow_ansi(path))) return FOLDER_CANCELLED;
    return FOLDER_CHOSEN;
}

}  // namespace tw::win32
