// twprobe: drives Tilewright.exe from outside in the end-to-end tests.
// A test tool, not shipped. Every command names a top-level window by its
// title and waits up to 10 seconds for it; results go to standard output as
// UTF-8; the exit status is 0 on success, 1 when the window or control was
// not found, 2 for a bad command.
//
//   find TITLE                     the window exists
//   gone TITLE                     wait until no window has this title
//   count TITLE                    number of top-level windows with this title
//   client TITLE                   client area: "W H"
//   command TITLE ID               post WM_COMMAND ID (a menu command)
//   menu-checked TITLE ID          "1" when the menu item is checked, else "0"
//   texts TITLE                    the texts of the static controls, one a line
//   click TITLE ID                 post a click to button ID
//   set-text TITLE ID TEXT         set the text of control ID
//   get-text TITLE ID              print the text of control ID
//   checked TITLE ID               "1" when button ID is checked
//   enabled TITLE ID               "1" when control ID is enabled
//   close TITLE                    post WM_CLOSE
//   close-button TITLE             the caption's close button (SC_CLOSE)
//   rect TITLE                     the window's rectangle: "WxH+X+Y"
//   open-menu TITLE CHAR           open the menu bar entry with that mnemonic
//   menu-marks N                   the check marks of the N items of the open popup menu: "0100"
//   file TITLE TEXT                type TEXT into a file dialog's name field and press OK
//   combo TITLE ID INDEX           select entry INDEX of combo box ID (and notify the dialog)

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

std::string utf8(const std::wstring& w) {
    if (w.empty()) return {};
    int n = WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), nullptr, 0,
                                nullptr, nullptr);
    std::string s(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), s.data(), n, nullptr,
                        nullptr);
    return s;
}

void out(const std::string& s) {
    DWORD written = 0;
    std::string line = s + "\n";
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), line.data(), static_cast<DWORD>(line.size()),
              &written, nullptr);
}

std::wstring text_of(HWND w) {
    wchar_t buf[4096] = L"";
    SendMessageTimeoutW(w, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(buf), SMTO_ABORTIFHUNG, 2000,
                        nullptr);
    return buf;
}

struct Search {
    std::wstring title;
    std::vector<HWND> found;
};

BOOL CALLBACK collect(HWND w, LPARAM p) {
    auto* s = reinterpret_cast<Search*>(p);
    wchar_t buf[512] = L"";
    GetWindowTextW(w, buf, 512);
    if (s->title == buf && IsWindowVisible(w)) s->found.push_back(w);
    return TRUE;
}

std::vector<HWND> windows(const std::wstring& title) {
    Search s{title, {}};
    EnumWindows(collect, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

HWND wait_for(const std::wstring& title) {
    for (int i = 0; i < 100; ++i) {
        auto found = windows(title);
        if (!found.empty()) return found.front();
        Sleep(100);
    }
    return nullptr;
}

BOOL CALLBACK collect_statics(HWND w, LPARAM p) {
    wchar_t cls[64] = L"";
    GetClassNameW(w, cls, 64);
    if (lstrcmpiW(cls, L"Static") == 0) {
        std::wstring t = text_of(w);
        if (!t.empty()) reinterpret_cast<std::vector<std::wstring>*>(p)->push_back(t);
    }
    return TRUE;
}

BOOL CALLBACK find_edit_impl(HWND w, LPARAM p);
BOOL CALLBACK find_edit(HWND w, LPARAM p) {
    return find_edit_impl(w, p);
}
BOOL CALLBACK find_edit_impl(HWND w, LPARAM p) {
    wchar_t cls[64] = L"";
    GetClassNameW(w, cls, 64);
    if (lstrcmpiW(cls, L"Edit") == 0) {
        *reinterpret_cast<HWND*>(p) = w;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK first_popup(HWND w, LPARAM p) {
    wchar_t cls[64] = L"";
    GetClassNameW(w, cls, 64);
    if (lstrcmpW(cls, L"#32768") == 0 && IsWindowVisible(w)) {
        *reinterpret_cast<HWND*>(p) = w;
        return FALSE;
    }
    return TRUE;
}

// Which of the `rows` items of the topmost open popup menu show a check mark:
// the mark is the only drawing in the margin left of the item texts.
int menu_marks(int rows) {
    HWND popup = nullptr;
    for (int i = 0; i < 50 && popup == nullptr; ++i) {
        EnumWindows(first_popup, reinterpret_cast<LPARAM>(&popup));
        if (popup == nullptr) Sleep(100);
    }
    if (popup == nullptr || rows <= 0) return 1;
    Sleep(300);  // let it finish drawing
    RECT r;
    GetWindowRect(popup, &r);
    HDC screen = GetDC(nullptr);
    const int border = 3, height = (r.bottom - r.top - 2 * border) / rows;
    std::string marks;
    for (int row = 0; row < rows; ++row) {
        const int top = r.top + border + row * height;
        const COLORREF background = GetPixel(screen, r.left + border, top + height / 2);
        int differing = 0;
        for (int y = top + 2; y < top + height - 2; ++y)
            for (int x = r.left + border + 1; x < r.left + border + 14; ++x) {
                COLORREF c = GetPixel(screen, x, y);
                int d = abs(GetRValue(c) - GetRValue(background)) +
                        abs(GetGValue(c) - GetGValue(background)) +
                        abs(GetBValue(c) - GetBValue(background));
                differing += d > 120;
            }
        marks += differing > 6 ? '1' : '0';
    }
    ReleaseDC(nullptr, screen);
    out(marks);
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) return 2;
    std::wstring cmd = argv[1], title = argv[2];
    if (cmd == L"menu-marks") return menu_marks(static_cast<int>(wcstol(argv[2], nullptr, 10)));
    auto arg = [&](int i) { return i < argc ? std::wstring(argv[i]) : std::wstring(); };
    auto id = [&](int i) { return static_cast<int>(wcstol(arg(i).c_str(), nullptr, 10)); };

    if (cmd == L"gone") {
        for (int i = 0; i < 100; ++i) {
            if (windows(title).empty()) return 0;
            Sleep(100);
        }
        return 1;
    }
    if (cmd == L"count") {
        Sleep(500);
        out(std::to_string(windows(title).size()));
        return 0;
    }
    HWND w = wait_for(title);
    if (w == nullptr) {
        out("no window: " + utf8(title));
        return 1;
    }
    if (cmd == L"find") return 0;
    if (cmd == L"rect") {
        RECT r;
        GetWindowRect(w, &r);
        out(std::to_string(r.right - r.left) + "x" + std::to_string(r.bottom - r.top) + "+" +
            std::to_string(r.left) + "+" + std::to_string(r.top));
        return 0;
    }
    if (cmd == L"close-button") return PostMessageW(w, WM_SYSCOMMAND, SC_CLOSE, 0) ? 0 : 1;
    if (cmd == L"client") {
        RECT r;
        GetClientRect(w, &r);
        out(std::to_string(r.right - r.left) + " " + std::to_string(r.bottom - r.top));
        return 0;
    }
    if (cmd == L"command")
        return PostMessageW(w, WM_COMMAND, static_cast<WPARAM>(id(3)), 0) ? 0 : 1;
    if (cmd == L"close") return PostMessageW(w, WM_CLOSE, 0, 0) ? 0 : 1;
    if (cmd == L"open-menu") {
        // Alt + the menu's mnemonic, as the keyboard opens it.
        SetForegroundWindow(w);
        return PostMessageW(w, WM_SYSCOMMAND, SC_KEYMENU, static_cast<LPARAM>(arg(3)[0])) ? 0 : 1;
    }
    if (cmd == L"menu-checked") {
        HMENU menu = GetMenu(w);
        UINT state = GetMenuState(menu, static_cast<UINT>(id(3)), MF_BYCOMMAND);
        if (state == 0xFFFFFFFF) return 1;
        out((state & MF_CHECKED) ? "1" : "0");
        return 0;
    }
    if (cmd == L"texts") {
        std::vector<std::wstring> texts;
        EnumChildWindows(w, collect_statics, reinterpret_cast<LPARAM>(&texts));
        for (const auto& t : texts) out(utf8(t));
        return 0;
    }
    HWND control = (argc > 3) ? GetDlgItem(w, id(3)) : nullptr;
    if (cmd == L"file") {
        // The name field: an edit of its own, or the edit inside the name combo box.
        HWND edit = GetDlgItem(w, 0x480);
        if (edit == nullptr) {
            HWND combo = GetDlgItem(w, 0x47C);
            if (combo) EnumChildWindows(combo, find_edit, reinterpret_cast<LPARAM>(&edit));
        }
        if (edit == nullptr) EnumChildWindows(w, find_edit, reinterpret_cast<LPARAM>(&edit));
        if (edit == nullptr) return 1;
        std::wstring value = arg(3);
        SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(value.c_str()));
        Sleep(200);
        return PostMessageW(w, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                            reinterpret_cast<LPARAM>(GetDlgItem(w, IDOK)))
                   ? 0
                   : 1;
    }
    if (control == nullptr) {
        out("no control " + utf8(arg(3)));
        return 1;
    }
    if (cmd == L"click") return PostMessageW(control, BM_CLICK, 0, 0) ? 0 : 1;
    if (cmd == L"set-text") {
        std::wstring value = arg(4);
        SendMessageW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(value.c_str()));
        return 0;
    }
    if (cmd == L"get-text") {
        out(utf8(text_of(control)));
        return 0;
    }
    if (cmd == L"checked") {
        out(SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED ? "1" : "0");
        return 0;
    }
    if (cmd == L"enabled") {
        out(IsWindowEnabled(control) ? "1" : "0");
        return 0;
    }
    if (cmd == L"combo") {
        SendMessageW(control, CB_SETCURSEL, static_cast<WPARAM>(id(4)), 0);
        PostMessageW(w, WM_COMMAND, MAKEWPARAM(id(3), CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(control));
        return 0;
    }
    return 2;
}
