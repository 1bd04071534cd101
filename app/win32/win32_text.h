#pragma once
// Text conversions at the edge of the wide API: our texts are UTF-8, paths are
// narrow strings in the ANSI code page.

#include <windows.h>

#include <string>

namespace tw::win32 {

std::wstring widen(const std::string& utf8);
std::string narrow_utf8(const std::wstring& wide);
std::string narrow_ansi(const std::wstring& wide);

}  // namespace tw::win32
