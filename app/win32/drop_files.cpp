// The paths of a file drop.

#include <windows.h>
// shellapi.h follows windows.h
#include <shellapi.h>

#include "app/win32/gui_windows.h"

namespace tw::win32 {

std::vector<std::string> dropped_file_paths(HDROP drop) {
    std::vector<std::string> paths;
    UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        char path[260] = "";
        if (DragQueryFileA(drop, i, path, sizeof path) > 0)
            paths.emplace_back(path);
        else
            paths.emplace_back();  // a path too long for the buffer still counts, and fails
    }
    return paths;
}

}  // namespace tw::win32
