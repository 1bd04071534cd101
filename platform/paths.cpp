#include "platform/paths.h"

#include <cstdio>
#include <cstring>

#include "common/fixed_text.h"
#include "resources/texts.h"

namespace tw {

bool shift_jis_lead_byte(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

const Text* windows_name_fault(std::string_view name, LeadByteTest lead,
                               bool (*carried)(std::string_view)) {
    if (name.empty()) return nullptr;
    const unsigned char last = static_cast<unsigned char>(name.back());
    if (last == '.' || last == ' ') return &kNameTrailingDot;
    for (size_t i = 0; i < name.size(); ++i) {
        const auto c = static_cast<unsigned char>(name[i]);
        if (lead(c)) {
            if (i + 1 == name.size()) return &kNameEndsInLeadByte;  // would take the '_' after it
            ++i;  // the trail byte may be anything, '\\' included
            continue;
        }
        if (c < 0x20) return &kNameControlByte;
        if (c == ':' || c == '<' || c == '>' || c == '"' || c == '|' || c == '?' || c == '*')
            return &kNameReservedCharacter;
    }
    return carried(name) ? nullptr : &kNameNotInCodePage;
}

std::string shown_name(std::string_view name) {
    std::string out;
    for (char ch : name) {
        const auto c = static_cast<unsigned char>(ch);
        if (c >= 0x20 && c < 0x7F) {
            out.push_back(ch);
        } else {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", c);
            out += hex;
        }
    }
    return out;
}

bool split_path(const char* path, PathParts& out, LeadByteTest lead) {
    out = PathParts{};
    size_t len = text_length(path, 260);
    if (len >= 260) return false;

    size_t start = 0;
    if (len >= 2 && path[1] == ':' && !lead(static_cast<unsigned char>(path[0]))) {
        out.drive[0] = path[0];
        out.drive[1] = ':';
        start = 2;
    }
    // One pass over whole characters: remember the last separator and the last dot.
    size_t last_sep = static_cast<size_t>(-1);
    size_t last_dot = static_cast<size_t>(-1);
    for (size_t i = start; i < len; ++i) {
        auto c = static_cast<unsigned char>(path[i]);
        if (lead(c) && i + 1 < len) {
            ++i;
            continue;
        }
        if (c == '\\' || c == '/') {
            last_sep = i;
            last_dot = static_cast<size_t>(-1);
        } else if (c == '.') {
            last_dot = i;
        }
    }
    size_t name_start = start;
    if (last_sep != static_cast<size_t>(-1)) {
        name_start = last_sep + 1;
        std::memcpy(out.dir, path + start, name_start - start);
    }
    size_t name_end = last_dot != static_cast<size_t>(-1) ? last_dot : len;
    std::memcpy(out.name, path + name_start, name_end - name_start);
    std::memcpy(out.ext, path + name_end, len - name_end);
    return true;
}

}  // namespace tw
