#pragma once
// Paths are narrow strings in the system's code page (the ANSI code page on
// Windows, UTF-8 on POSIX); the texts we show are UTF-8.

#include <string>

namespace tw {

// A path or name in the system's code page as UTF-8, for showing it.
std::string native_to_utf8(const char* text);
// UTF-8 text as a path in the system's code page.
std::string utf8_to_native(const std::string& text);

}  // namespace tw
