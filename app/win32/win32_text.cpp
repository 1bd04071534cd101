#include "app/win32/win32_text.h"

namespace tw::win32 {
namespace {

std::string narrow(const std::wstring& wide, UINT code_page) {
    if (wide.empty()) return {};
    int n = WideCharToMultiByte(code_page, 0, wide.data(), static_cast<int>(wide.size()), nullptr,
                                0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(code_page, 0, wide.data(), static_cast<int>(wide.size()), out.data(), n,
                        nullptr, nullptr);
    return out;
}

}  // namespace

std::wstring widen(const std::string& utf8) {
    if (utf8.empty()) return {};
    int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring out(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), out.data(), n);
    return out;
}

std::string narrow_utf8(const std::wstring& wide) {
    return narrow(wide, CP_UTF8);
}

std::string narrow_ansi(const std::wstring& wide) {
    return narrow(wide, CP_ACP);
}

}  // namespace tw::win32
