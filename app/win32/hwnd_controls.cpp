#include "app/win32/hwnd_controls.h"

#include <vector>

#include "app/win32/win32_text.h"

namespace tw::win32 {

bool HwndControls::checked(int id) {
    return IsDlgButtonChecked(dialog_, id) == BST_CHECKED;
}

void HwndControls::set_checked(int id, bool on) {
    CheckDlgButton(dialog_, id, on ? BST_CHECKED : BST_UNCHECKED);
}

bool HwndControls::enabled(int id) {
    return IsWindowEnabled(item(id)) != 0;
}

void HwndControls::enable(int id, bool on) {
    EnableWindow(item(id), on ? TRUE : FALSE);
}

std::string HwndControls::text(int id) {
    int n = GetWindowTextLengthW(item(id));
    std::wstring w(static_cast<size_t>(n) + 1, L'\0');
    GetDlgItemTextW(dialog_, id, w.data(), n + 1);
    w.resize(static_cast<size_t>(n));
    return narrow_utf8(w);
}

void HwndControls::set_text(int id, const std::string& text) {
    SetDlgItemTextW(dialog_, id, widen(text).c_str());
    // A path is read by its end: put the caret there so that a long one shows its file name.
    const LPARAM end = GetWindowTextLengthW(item(id));
    SendDlgItemMessageW(dialog_, id, EM_SETSEL, static_cast<WPARAM>(end), end);
    SendDlgItemMessageW(dialog_, id, EM_SCROLLCARET, 0, 0);
}

void HwndControls::combo_clear(int id) {
    SendDlgItemMessageW(dialog_, id, CB_RESETCONTENT, 0, 0);
}

void HwndControls::combo_add(int id, const std::string& entry) {
    std::wstring w = widen(entry);
    SendDlgItemMessageW(dialog_, id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(w.c_str()));
}

void HwndControls::combo_select(int id, int index) {
    SendDlgItemMessageW(dialog_, id, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

int HwndControls::combo_selection(int id) {
    LRESULT r = SendDlgItemMessageW(dialog_, id, CB_GETCURSEL, 0, 0);
    return r == CB_ERR ? -1 : static_cast<int>(r);
}

int HwndControls::combo_count(int id) {
    LRESULT r = SendDlgItemMessageW(dialog_, id, CB_GETCOUNT, 0, 0);
    return r == CB_ERR ? 0 : static_cast<int>(r);
}

std::string HwndControls::combo_entry(int id, int index) {
    LRESULT n = SendDlgItemMessageW(dialog_, id, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (n == CB_ERR) return {};
    std::wstring w(static_cast<size_t>(n) + 1, L'\0');
    SendDlgItemMessageW(dialog_, id, CB_GETLBTEXT, static_cast<WPARAM>(index),
                        reinterpret_cast<LPARAM>(w.data()));
    w.resize(static_cast<size_t>(n));
    return narrow_utf8(w);
}

}  // namespace tw::win32
