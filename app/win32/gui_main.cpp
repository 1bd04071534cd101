// Tilewright.exe: start-up, window placement and the main loop.

#include <windows.h>
// mmsystem.h and shellapi.h follow windows.h
#include <mmsystem.h>
#include <shellapi.h>

#include "app/win32/gui_interaction.h"
#include "app/win32/gui_state.h"
#include "app/win32/gui_windows.h"
#include "platform/files.h"
#include "resources/resource.h"
#include "settings/settings.h"

namespace tw::win32 {
namespace {

constexpr int kClientWidth = 280;
constexpr int kClientHeight = 160;

// Grows or shrinks the outer size until the client area is exactly 280 x 160, centred.
void place_window(HWND window) {
    RECT desktop;
    GetWindowRect(GetDesktopWindow(), &desktop);
    const int dw = desktop.right - desktop.left, dh = desktop.bottom - desktop.top;
    int dx = 0, dy = 0;
    ShowWindow(window, SW_HIDE);
    // The adjustments stay within 0 to 255; a desktop too small to reach the size ends the loop
    // there.
    for (int round = 0; round < 1024; ++round) {
        const int w = kClientWidth + dx, h = kClientHeight + dy;
        MoveWindow(window, (dw - w) / 2, (dh - h) / 2, w, h, TRUE);
        RECT client;
        GetClientRect(window, &client);
        const int cw = client.right - client.left, ch = client.bottom - client.top;
        if (cw < kClientWidth && dx < 255) ++dx;
        if (cw > kClientWidth && dx > 0) --dx;
        if (ch < kClientHeight && dy < 255) ++dy;
        if (ch > kClientHeight && dy > 0) --dy;
        MSG msg;
        if (PeekMessageW(&msg, window, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        if (cw == kClientWidth && ch == kClientHeight) break;
    }
    ShowWindow(window, SW_SHOWNORMAL);
    MSG msg;
    if (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

void dispatch(MSG& msg) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
}

// Ticks of at least 100 ms: a message of the main window first, a sleep, then
// every pending message until the tick is over.
void main_loop(HWND window) {
    DWORD last = timeGetTime();
    while (!g_gui.quit) {
        MSG msg;
        if (PeekMessageW(&msg, window, 0, 0, PM_REMOVE)) dispatch(msg);
        DWORD now = timeGetTime();
        LONG wait = static_cast<LONG>(last + 98 - now);
        if (wait > 0) Sleep(static_cast<DWORD>(wait));
        while (!g_gui.quit && timeGetTime() - last < 100) {
            if (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
                dispatch(msg);
            else
                Sleep(1);
        }
        last = timeGetTime();
    }
}

}  // namespace

int run(HINSTANCE instance) {
    HANDLE mutex = CreateMutexW(nullptr, TRUE, L"Kilnworks");
    if (mutex == nullptr || WaitForSingleObject(mutex, 0) == WAIT_TIMEOUT) {
        if (mutex) CloseHandle(mutex);
        return 0;
    }
    WNDCLASSW wc{};
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = main_window_proc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconW(instance, L"EXEic");
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    wc.lpszMenuName = L"MainMenu";
    wc.lpszClassName = L"MainWindow";
    if (!RegisterClassW(&wc)) {
        CloseHandle(mutex);
        return 0;
    }
    HWND window =
        CreateWindowExW(0, L"MainWindow", L"Tilewright v2.00 r2",
                        WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN,
                        0, 0, 50, 50, nullptr, nullptr, instance, nullptr);
    if (window == nullptr) {
        CloseHandle(mutex);
        return 0;
    }
    g_gui.main_window = window;
    g_gui.message_owner = window;
    static GuiInteraction interaction_service;
    set_interaction(&interaction_service);

    HMENU system_menu = GetSystemMenu(window, FALSE);
    RemoveMenu(system_menu, 2, MF_BYPOSITION);
    RemoveMenu(system_menu, 3, MF_BYPOSITION);
    DrawMenuBar(window);
    reset_runtime_values();
    set_menu_check(window, g_runtime.resource_type, true);
    DragAcceptFiles(window, TRUE);
    load_settings();  // also stores the current directory as the tool folder
    place_window(window);
    main_loop(window);

    CloseHandle(mutex);
    PostQuitMessage(0);
    MSG msg;
    if (PeekMessageW(&msg, window, 0, 0, PM_REMOVE)) dispatch(msg);
    return 0;
}

}  // namespace tw::win32

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    return tw::win32::run(instance);
}
