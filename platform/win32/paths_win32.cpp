#include <windows.h>

#include <string>

#include "platform/paths.h"

namespace tw {
namespace {

// The ANSI code page reads the bytes as characters and writes the same bytes back.
bool ansi_carries(std::string_view name) {
    const int n = static_cast<int>(name.size());
    const int wide = MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, name.data(), n, nullptr, 0);
    if (wide <= 0) return false;
    std::wstring w(static_cast<size_t>(wide), L'\0');
    if (MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, name.data(), n, w.data(), wide) != wide)
        return false;
    std::string back(name.size() * 2 + 2, '\0');
    BOOL defaulted = FALSE;
    const int got = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, w.data(), wide, back.data(),
                                        static_cast<int>(back.size()), nullptr, &defaulted);
    return got > 0 && !defaulted && std::string_view(back.data(), static_cast<size_t>(got)) == name;
}

}  // namespace

bool system_lead_byte(unsigned char c) {
    return IsDBCSLeadByte(c) != 0;
}

const Text* system_name_fault(std::string_view name) {
    return windows_name_fault(name, system_lead_byte, ansi_carries);
}

}  // namespace tw
