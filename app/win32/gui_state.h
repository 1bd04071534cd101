#pragma once
// The desktop program's window state, all on its one thread.

#include <windows.h>

namespace tw::win32 {

struct GuiState {
    HWND main_window = nullptr;
    HWND open_dialog = nullptr;    // the options or package dialog while one is open
    HWND message_owner = nullptr;  // the owner of the message boxes the core shows
    bool quit = false;
};

extern GuiState g_gui;

// A modal dialog records itself as the open dialog and owns the messages while open;
// ending it clears both.
void begin_modal_dialog(HWND dialog);
void end_modal_dialog(HWND dialog);

}  // namespace tw::win32
