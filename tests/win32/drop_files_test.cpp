#include <windows.h>
// shellapi.h and shlobj.h follow windows.h
#include <gtest/gtest.h>
#include <shellapi.h>
#include <shlobj.h>

#include <cstring>
#include <string>
#include <vector>

#include "app/win32/gui_windows.h"
#include "app/win32/win32_text.h"

namespace tw::win32 {

namespace {

// A drop handle as the shell makes one: DROPFILES, then the paths, each NUL-ended, and a final NUL.
HDROP make_drop(const std::vector<std::string>& paths) {
    size_t size = sizeof(DROPFILES) + 1;
    for (const auto& p : paths) size += p.size() + 1;
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
    auto* files = static_cast<DROPFILES*>(GlobalLock(mem));
    files->pFiles = sizeof(DROPFILES);
    files->fWide = FALSE;
    char* at = reinterpret_cast<char*>(files) + sizeof(DROPFILES);
    for (const auto& p : paths) {
        std::memcpy(at, p.c_str(), p.size() + 1);
        at += p.size() + 1;
    }
    GlobalUnlock(mem);
    return static_cast<HDROP>(mem);
}

}  // namespace

TEST(DropFiles, PathsInTheDropsOrder) {
    const std::vector<std::string> paths{"C:\\work\\pic.bmp", "C:\\work\\prog.txt",
                                         "D:\\data\\all.ptc"};
    HDROP drop = make_drop(paths);
    EXPECT_EQ(dropped_file_paths(drop), paths);
    GlobalFree(drop);
}

// The tests run as the users do, under a Japanese locale: code page 932, where the second
// byte of a character such as ソ (0x83 0x5C) is the path separator's.
TEST(DropFiles, TwoByteNamesUnderCodePage932) {
    ASSERT_EQ(GetACP(), 932u);
    const std::string path = narrow_ansi(L"C:\\work\\\u30bd.bmp");
    EXPECT_EQ(path, "C:\\work\\\x83\x5c.bmp");
    HDROP drop = make_drop({path});
    EXPECT_EQ(dropped_file_paths(drop), std::vector<std::string>{path});
    GlobalFree(drop);
}

}  // namespace tw::win32
