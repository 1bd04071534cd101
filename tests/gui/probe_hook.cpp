// twprobe_hook.dll: the probe's reach into Tilewright.exe. Menus belong to the
// process that made them, so the probe cannot read a check mark from outside;
// it hooks this message reader into the program's thread and posts a query,
// and the hook answers in a window property, which any process may read.

#include <windows.h>

extern "C" __declspec(dllexport) LRESULT CALLBACK
    twprobe_get_message(int code, WPARAM removed, LPARAM message) {
    static const UINT query = RegisterWindowMessageW(L"twprobe-menu-query");
    const MSG* m = reinterpret_cast<const MSG*>(message);
    if (code == HC_ACTION && removed == PM_REMOVE && m->message == query && m->hwnd != nullptr) {
        // The query's nonce, then 0 unchecked, 1 checked, 2 no such item.
        const UINT state =
            GetMenuState(GetMenu(m->hwnd), static_cast<UINT>(m->wParam), MF_BYCOMMAND);
        const LPARAM answer = state == 0xFFFFFFFF ? 2 : (state & MF_CHECKED) ? 1 : 0;
        SetPropW(m->hwnd, L"twprobe-menu-answer",
                 reinterpret_cast<HANDLE>((m->lParam << 2) | answer));
    }
    return CallNextHookEx(nullptr, code, removed, message);
}
