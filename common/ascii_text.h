#pragma once
// ASCII comparisons that ignore the case of letters; other bytes compare as they are.

#include <string_view>

namespace tw {

constexpr char ascii_lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
}

constexpr bool same_ci(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (ascii_lower(a[i]) != ascii_lower(b[i])) return false;
    return true;
}

constexpr bool ends_with_ci(std::string_view text, std::string_view tail) {
    return text.size() >= tail.size() && same_ci(text.substr(text.size() - tail.size()), tail);
}

}  // namespace tw
