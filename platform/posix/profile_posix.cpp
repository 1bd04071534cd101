#include <cstring>
#include <string>

#include "platform/files.h"
#include "platform/posix/profile_text.h"
#include "platform/profile.h"

namespace tw {
namespace {

// The whole file, or nullopt when it cannot be read. Settings files are small;
// anything beyond 1 MiB is not a settings file and is ignored like a missing one.
std::optional<std::string> read_all(const char* path) {
    File f = File::open_read(path);
    uint64_t size = 0;
    if (!f.is_open() || !f.size(&size) || size > (1u << 20)) return std::nullopt;
    std::string text(static_cast<size_t>(size), '\0');
    if (!f.read_exact(text.data(), text.size())) return std::nullopt;
    return text;
}

}  // namespace

int32_t profile_read_int(const char* section, const char* key, int32_t def, const char* path) {
    auto text = read_all(path);
    if (!text) return def;
    auto value = profile_lookup(*text, section, key);
    if (!value || value->empty()) return def;
    return profile_parse_int(*value);
}

size_t profile_read_string(const char* section, const char* key, const char* def, char* out,
                           size_t cap, const char* path) {
    if (cap == 0) return 0;
    std::optional<std::string> value;
    if (auto text = read_all(path)) value = profile_lookup(*text, section, key);
    std::string v = value ? *value : std::string(def ? def : "");
    size_t n = v.size() < cap - 1 ? v.size() : cap - 1;
    std::memcpy(out, v.data(), n);
    out[n] = '\0';
    return n;
}

bool profile_write_string(const char* section, const char* key, const char* value,
                          const char* path) {
    std::string old;
    {
        File probe = File::open_read(path);
        if (probe.is_open()) {
            probe.close();
            auto text = read_all(path);
            if (!text) return false;  // never replace a file we could not read
            old = std::move(*text);
        }
    }
    std::string updated = profile_update(old, section, key, value);
    File f = File::open_write(path);
    return f.is_open() && f.write(updated.data(), updated.size()) && f.truncate_here() && f.close();
}

}  // namespace tw
