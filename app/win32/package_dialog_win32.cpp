// The package dialog window: every message goes to the dialog's logic.

#include <windows.h>

#include "app/win32/gui_windows.h"

namespace tw::win32 {

void run_package_dialog(HINSTANCE) {}

}  // namespace tw::win32
