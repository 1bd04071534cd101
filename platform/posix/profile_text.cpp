#include "platform/posix/profile_text.h"

#include <cstdint>
#include <vector>

#include "common/ascii_text.h"

namespace tw {
namespace {

struct Line {
    size_t begin;  // offset of the line in the text
    size_t end;    // offset of its line break (or of the end of the text)
    size_t next;   // offset of the next line
};

std::vector<Line> split_lines(std::string_view text) {
    std::vector<Line> lines;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t nl = text.find('\n', pos);
        size_t next = nl == std::string_view::npos ? text.size() : nl + 1;
        size_t end = nl == std::string_view::npos ? text.size() : nl;
        if (end > pos && text[end - 1] == '\r') --end;
        lines.push_back({pos, end, next});
        pos = next;
    }
    return lines;
}

std::string_view trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

// The section name of a "[name]" line, or nullopt for any other line.
std::optional<std::string_view> section_of(std::string_view line) {
    line = trim(line);
    if (line.size() < 2 || line.front() != '[') return std::nullopt;
    size_t close = line.find(']');
    if (close == std::string_view::npos) return std::nullopt;
    return trim(line.substr(1, close - 1));
}

// The key of a "key=value" line, or nullopt.
std::optional<std::string_view> key_of(std::string_view line, std::string_view* value) {
    size_t eq = line.find('=');
    if (eq == std::string_view::npos) return std::nullopt;
    std::string_view k = trim(line.substr(0, eq));
    if (k.empty() || k.front() == ';') return std::nullopt;
    *value = trim(line.substr(eq + 1));
    return k;
}

struct Found {
    bool section = false;
    size_t section_last = 0;  // index of the last non-blank line in the section
    bool key = false;
    size_t key_line = 0;
    std::string_view value;
};

Found find(std::string_view text, const std::vector<Line>& lines, std::string_view section,
           std::string_view key) {
    Found f;
    bool inside = false;
    for (size_t i = 0; i < lines.size(); ++i) {
        std::string_view line = text.substr(lines[i].begin, lines[i].end - lines[i].begin);
        if (auto s = section_of(line)) {
            if (inside) break;  // a later section of the same name is not merged
            inside = same_ci(*s, section);
            if (inside) {
                f.section = true;
                f.section_last = i;
            }
            continue;
        }
        if (!inside) continue;
        if (!trim(line).empty()) f.section_last = i;
        std::string_view value;
        if (auto k = key_of(line, &value); k && same_ci(*k, key)) {
            f.key = true;
            f.key_line = i;
            f.value = value;
            break;
        }
    }
    return f;
}

}  // namespace

std::optional<std::string> profile_lookup(std::string_view text, std::string_view section,
                                          std::string_view key) {
    auto lines = split_lines(text);
    Found f = find(text, lines, section, key);
    if (!f.key) return std::nullopt;
    std::string_view v = f.value;
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
        v = v.substr(1, v.size() - 2);
    return std::string(v);
}

std::string profile_update(std::string_view text, std::string_view section, std::string_view key,
                           std::string_view value) {
    auto lines = split_lines(text);
    const char* eol = text.find("\r\n") != std::string_view::npos || text.empty() ||
                              text.find('\n') == std::string_view::npos
                          ? "\r\n"
                          : "\n";
    Found f = find(text, lines, section, key);
    std::string out;
    out.reserve(text.size() + key.size() + value.size() + section.size() + 16);
    if (f.key) {
        const Line& l = lines[f.key_line];
        std::string_view line = text.substr(l.begin, l.end - l.begin);
        size_t eq = line.find('=');
        out.append(text.substr(0, l.begin));
        out.append(line.substr(0, eq + 1));
        out.append(value);
        out.append(text.substr(l.end));
        return out;
    }
    if (f.section) {
        const Line& l = lines[f.section_last];
        out.append(text.substr(0, l.next));
        if (l.next == l.end) out.append(eol);  // the section's last line had no line break
        out.append(key).append("=").append(value).append(eol);
        out.append(text.substr(l.next));
        return out;
    }
    out.append(text);
    if (!text.empty() && text.back() != '\n') out.append(eol);
    out.append("[").append(section).append("]").append(eol);
    out.append(key).append("=").append(value).append(eol);
    return out;
}

int32_t profile_parse_int(std::string_view value) {
    size_t i = 0;
    bool negative = false;
    if (i < value.size() && (value[i] == '-' || value[i] == '+')) negative = value[i++] == '-';
    int64_t n = 0;
    for (; i < value.size() && value[i] >= '0' && value[i] <= '9'; ++i) {
        n = n * 10 + (value[i] - '0');
        if (n > 0xFFFFFFFFll) n = 0xFFFFFFFFll;  // saturate; the result wraps to 32 bits below
    }
    uint32_t u = static_cast<uint32_t>(negative ? -n : n);
    return static_cast<int32_t>(u);
}

}  // namespace tw
