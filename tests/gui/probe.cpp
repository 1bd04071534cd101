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
//   menu-checked TITLE ID...       per menu item "1" when checked, else "0" (with twprobe_hook.dll)
//   owner TITLE                    the title of the window's owner ("" for none)
//   activate TITLE                 bring the window to the foreground
//   foreground                     the title of the foreground window
//   acp                            the ANSI code page
//   folder TEXT PATH               in the folder browser showing TEXT, choose PATH and press OK
//   shown-text TITLE ID            an edit field's text from its first visible character
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
//   file TITLE TEXT                type TEXT into a file dialog's name field and press OK
//   combo-items TITLE ID           the entries of combo box ID, joined by "|"
//   move TITLE X Y                 move the window's top left corner to X, Y
//   combo TITLE ID INDEX           select entry INDEX of combo box ID (and notify the dialog)

#include <windows.h>
// commctrl.h follows windows.h
#include <commctrl.h>

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

// The check marks of menu items ID... of window w, one digit each ("1" checked):
// asked of the program's own thread through twprobe_hook.dll, beside this probe.
int menu_checked(HWND w, const std::vector<UINT>& ids) {
    wchar_t here[MAX_PATH];
    DWORD n = GetModuleFileNameW(nullptr, here, MAX_PATH);
    std::wstring dll(here, n);
    dll = dll.substr(0, dll.find_last_of(L"\\/") + 1) + L"twprobe_hook.dll";
    HMODULE module = LoadLibraryW(dll.c_str());
    auto hook_proc = module ? reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(
                                  GetProcAddress(module, "twprobe_get_message")))
                            : nullptr;
    if (hook_proc == nullptr) return 1;
    HHOOK hook =
        SetWindowsHookExW(WH_GETMESSAGE, hook_proc, module, GetWindowThreadProcessId(w, nullptr));
    if (hook == nullptr) return 1;
    const UINT query = RegisterWindowMessageW(L"twprobe-menu-query");
    std::string marks;
    int status = 0;
    // A nonce of this call and this item, so that no answer is taken for another's.
    const LPARAM call = static_cast<LPARAM>(GetTickCount() & 0xFFFF) << 8;
    for (size_t i = 0; i < ids.size(); ++i) {
        const UINT id = ids[i];
        const LPARAM nonce = call | static_cast<LPARAM>(i + 1);
        PostMessageW(w, query, id, nonce);
        LPARAM answer = -1;
        for (int tries = 0; tries < 100 && answer < 0; ++tries) {
            auto value = reinterpret_cast<LPARAM>(GetPropW(w, L"twprobe-menu-answer"));
            if ((value >> 2) == nonce)
                answer = value & 3;
            else
                Sleep(50);
        }
        if (answer < 0 || answer == 2) status = 1;
        marks += answer == 1 ? '1' : '0';
    }
    UnhookWindowsHookEx(hook);
    out(marks);
    return status;
}

BOOL CALLBACK has_static(HWND w, LPARAM p) {
    auto* want = reinterpret_cast<std::pair<const std::wstring*, bool>*>(p);
    wchar_t cls[64] = L"";
    GetClassNameW(w, cls, 64);
    if (lstrcmpiW(cls, L"Static") == 0 && text_of(w) == *want->first) {
        want->second = true;
        return FALSE;
    }
    return TRUE;
}

struct DialogSearch {
    std::wstring text;
    HWND found;
};

BOOL CALLBACK dialog_with_text(HWND w, LPARAM p) {
    auto* s = reinterpret_cast<DialogSearch*>(p);
    std::pair<const std::wstring*, bool> want{&s->text, false};
    if (IsWindowVisible(w)) EnumChildWindows(w, has_static, reinterpret_cast<LPARAM>(&want));
    if (!want.second) return TRUE;
    s->found = w;
    return FALSE;
}

// The shell's folder browser showing TEXT: select PATH in it and press OK. The
// path goes into the browser's own memory, where its message reads it.
int choose_folder(const std::wstring& text, const std::wstring& path) {
    DialogSearch s{text, nullptr};
    for (int i = 0; i < 100 && s.found == nullptr; ++i) {
        EnumWindows(dialog_with_text, reinterpret_cast<LPARAM>(&s));
        if (s.found == nullptr) Sleep(100);
    }
    if (s.found == nullptr) return 1;
    DWORD pid = 0;
    GetWindowThreadProcessId(s.found, &pid);
    HANDLE process =
        OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE | PROCESS_VM_READ, FALSE, pid);
    if (process == nullptr) return 1;
    const SIZE_T bytes = (path.size() + 1) * sizeof(wchar_t);
    void* remote =
        VirtualAllocEx(process, nullptr, bytes, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    bool ok = remote && WriteProcessMemory(process, remote, path.c_str(), bytes, nullptr);
    const UINT set_selection = WM_USER + 103;  // BFFM_SETSELECTIONW
    // The browser fills its tree as it starts: select again until its tree shows the folder
    // selected (the item's text is read through the same borrowed memory).
    const std::wstring leaf = path.substr(path.find_last_of(L'\\') + 1);
    HWND tree = FindWindowExW(s.found, nullptr, L"SysTreeView32", nullptr);
    const SIZE_T room = sizeof(TVITEMW) + 520;
    void* scratch =
        VirtualAllocEx(process, nullptr, room, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    bool selected = false;
    for (int i = 0; ok && tree && scratch && !selected && i < 40; ++i) {
        SendMessageW(s.found, set_selection, TRUE, reinterpret_cast<LPARAM>(remote));
        Sleep(250);
        TVITEMW item{};
        item.mask = TVIF_TEXT;
        item.hItem =
            reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
        item.pszText = reinterpret_cast<wchar_t*>(static_cast<char*>(scratch) + sizeof(TVITEMW));
        item.cchTextMax = 260;
        wchar_t text[261] = L"";
        if (item.hItem && WriteProcessMemory(process, scratch, &item, sizeof item, nullptr) &&
            SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(scratch)) &&
            ReadProcessMemory(process, item.pszText, text, 520, nullptr))
            selected = leaf == text;
    }
    ok = ok && selected;
    const int button = ok ? IDOK : IDCANCEL;  // a folder not found leaves no browser behind
    PostMessageW(s.found, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(s.found, button)));
    for (void* borrowed : {remote, scratch})
        if (borrowed) VirtualFreeEx(process, borrowed, 0, MEM_RELEASE);
    CloseHandle(process);
    return ok ? 0 : 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc == 2 && std::wstring(argv[1]) == L"acp") {
        out(std::to_string(GetACP()));
        return 0;
    }
    if (argc == 2 && std::wstring(argv[1]) == L"foreground") {
        out(utf8(text_of(GetForegroundWindow())));
        return 0;
    }
    if (argc < 3) return 2;
    std::wstring cmd = argv[1], title = argv[2];
    if (cmd == L"folder") return argc == 4 ? choose_folder(title, argv[3]) : 2;
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
        std::vector<UINT> ids;
        for (int i = 3; i < argc; ++i) ids.push_back(static_cast<UINT>(id(i)));
        return menu_checked(w, ids);
    }
    if (cmd == L"owner") {
        out(utf8(text_of(GetWindow(w, GW_OWNER))));
        return 0;
    }
    if (cmd == L"activate") return SetForegroundWindow(w) ? 0 : 1;
    if (cmd == L"move")
        return SetWindowPos(w, nullptr, id(3), id(4), 0, 0, SWP_NOSIZE | SWP_NOZORDER) ? 0 : 1;
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
    // The part of an edit field's text from its first visible character.
    if (cmd == L"shown-text") {
        RECT r;
        GetClientRect(control, &r);
        LRESULT at = SendMessageW(control, EM_CHARFROMPOS, 0, MAKELPARAM(2, r.bottom / 2));
        out(utf8(text_of(control).substr(LOWORD(at))));
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
    if (cmd == L"combo-items") {
        std::string items;
        const LRESULT n = SendMessageW(control, CB_GETCOUNT, 0, 0);
        for (LRESULT i = 0; i < n; ++i) {
            wchar_t item[256] = L"";
            if (SendMessageW(control, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0) < 256)
                SendMessageW(control, CB_GETLBTEXT, static_cast<WPARAM>(i),
                             reinterpret_cast<LPARAM>(item));
            items += (i ? "|" : "") + utf8(item);
        }
        out(items);
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
