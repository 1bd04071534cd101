#include <windows.h>

#include <cstdio>
#include <iostream>
#include <string>

#include "platform/console.h"

namespace tw {
namespace {

HANDLE handle_of(ConsoleStream stream) {
    return GetStdHandle(stream == CONSOLE_ERR ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE);
}

bool is_console(HANDLE h) {
    DWORD mode = 0;
    return h != INVALID_HANDLE_VALUE && h != nullptr && GetConsoleMode(h, &mode) != 0;
}

}  // namespace

void console_write(ConsoleStream stream, std::string_view utf8) {
    HANDLE h = handle_of(stream);
    FILE* f = stream == CONSOLE_ERR ? stderr : stdout;
    if (!is_console(h) || utf8.empty()) {
        // Redirected output stays UTF-8, like on POSIX.
        std::fwrite(utf8.data(), 1, utf8.size(), f);
        std::fflush(f);
        return;
    }
    std::fflush(f);
    int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), n);
    DWORD written = 0;
    WriteConsoleW(h, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
}

bool console_is_terminal(ConsoleStream stream) {
    return is_console(handle_of(stream));
}

bool console_input_is_terminal() {
    return is_console(GetStdHandle(STD_INPUT_HANDLE));
}

bool console_read_line(std::string& line) {
    if (!std::getline(std::cin, line)) return false;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return true;
}

bool system_language_is_japanese() {
    return PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_JAPANESE;
}

}  // namespace tw
