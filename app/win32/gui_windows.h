#pragma once
// The windows of the desktop program.

#include <windows.h>
// shellapi.h follows windows.h
#include <shellapi.h>

#include <string>
#include <vector>

namespace tw::win32 {

// The main window's procedure and the class it is registered with.
LRESULT CALLBACK main_window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
void set_menu_check(HWND window, UINT id, bool checked);

// Modal dialogs without owner window.
void run_options_dialog(HINSTANCE instance);
void run_package_dialog(HINSTANCE instance);

// The paths of a file drop, in its order.
std::vector<std::string> dropped_file_paths(HDROP drop);

}  // namespace tw::win32
