#include "common/fixed_text.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <vector>

namespace tw {

bool copy_text(char* dst, size_t cap, std::string_view src) {
    if (cap == 0 || src.size() >= cap) return false;
    std::memcpy(dst, src.data(), src.size());
    dst[src.size()] = '\0';
    return true;
}

bool append_text(char* dst, size_t cap, std::string_view src) {
    size_t used = text_length(dst, cap);
    if (used >= cap || src.size() >= cap - used) return false;
    std::memcpy(dst + used, src.data(), src.size());
    dst[used + src.size()] = '\0';
    return true;
}

bool format_text(char* dst, size_t cap, const char* fmt, ...) {
    if (cap == 0) return false;
    std::vector<char> tmp(cap);
    va_list args;
    va_start(args, fmt);
    int n = std::vsnprintf(tmp.data(), cap, fmt, args);
    va_end(args);
    if (n < 0 || static_cast<size_t>(n) >= cap) return false;
    std::memcpy(dst, tmp.data(), static_cast<size_t>(n) + 1);
    return true;
}

size_t text_length(const char* src, size_t cap) {
    const void* nul = std::memchr(src, '\0', cap);
    return nul ? static_cast<size_t>(static_cast<const char*>(nul) - src) : cap;
}

std::string say(const char* fmt, ...) {
    va_list args;
    va_start(args, fmt);
    va_list again;
    va_copy(again, args);
    const int n = std::vsnprintf(nullptr, 0, fmt, args);
    va_end(args);
    std::string text(n > 0 ? static_cast<size_t>(n) : 0, '\0');
    if (n > 0) std::vsnprintf(text.data(), text.size() + 1, fmt, again);
    va_end(again);
    return text;
}

}  // namespace tw
