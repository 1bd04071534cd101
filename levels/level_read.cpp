// Reading a level file: the format told by its first byte, paths resolved
// against the file that names them, the shared checks run last.
#include <cstdlib>

#include "common/failure.h"
#include "levels/level_parts.h"
#include "platform/input_file.h"
#include "platform/native_text.h"
#include "platform/paths.h"
#include "resources/texts.h"

namespace tw {
namespace {

// Far beyond any 64 x 64 level, even as indented XML.
constexpr uint64_t kMaxLevelFileBytes = 64u << 20;

// The first byte that is not whitespace or a UTF-8 byte order mark.
char first_byte(const std::vector<uint8_t>& bytes) {
    size_t i = 0;
    if (bytes.size() >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF) i = 3;
    while (i < bytes.size() &&
           (bytes[i] == ' ' || bytes[i] == '\t' || bytes[i] == '\n' || bytes[i] == '\r'))
        ++i;
    return i < bytes.size() ? static_cast<char>(bytes[i]) : '\0';
}

bool is_absolute(const std::string& path) {
    if (!path.empty() && (path[0] == '/' || path[0] == '\\')) return true;
    return path.size() >= 2 && path[1] == ':' &&
           ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
}

}  // namespace

bool read_level_bytes(const std::string& path, std::vector<uint8_t>& bytes) {
    return read_input_file(path.c_str(), kMaxLevelFileBytes, kLevelTooLargeFile, bytes);
}

std::string resolve_level_path(const std::string& naming_file, const std::string& written) {
    const std::string native = utf8_to_native(written);
    if (is_absolute(native)) return native;
    // The folder of the naming file: up to its last separator, a double-byte
    // character never taken for one.
    size_t folder = 0;
    for (size_t i = 0; i < naming_file.size(); ++i) {
        const auto c = static_cast<unsigned char>(naming_file[i]);
        if (system_lead_byte(c) && i + 1 < naming_file.size()) {
            ++i;
        } else if (c == '/' || c == '\\') {
            folder = i + 1;
        }
    }
    return naming_file.substr(0, folder) + native;
}

bool parse_count(const std::string& text, uint32_t& out) {
    if (text.empty() || text.size() > 10) return false;
    uint64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + static_cast<uint64_t>(c - '0');
    }
    if (value > 0xFFFFFFFFu) return false;
    out = static_cast<uint32_t>(value);
    return true;
}

bool parse_trans(const std::string& text, Rgba& out) {
    const size_t start = !text.empty() && text[0] == '#' ? 1 : 0;
    if (text.size() - start != 6) return false;
    uint8_t rgb[3];
    for (int i = 0; i < 3; ++i) {
        int v = 0;
        for (int k = 0; k < 2; ++k) {
            const char c = text[start + static_cast<size_t>(2 * i + k)];
            int d;
            if (c >= '0' && c <= '9') {
                d = c - '0';
            } else if (c >= 'a' && c <= 'f') {
                d = c - 'a' + 10;
            } else if (c >= 'A' && c <= 'F') {
                d = c - 'A' + 10;
            } else {
                return false;
            }
            v = v * 16 + d;
        }
        rgb[i] = static_cast<uint8_t>(v);
    }
    out = Rgba{rgb[0], rgb[1], rgb[2], 255};
    return true;
}

bool read_tileset_file(const std::string& path, const std::string& written, LevelTileset& tileset) {
    std::vector<uint8_t> bytes;
    if (!read_level_bytes(path, bytes)) {
        set_failure(kLevelTilesetMissing, written.c_str(), path.c_str());
        return false;
    }
    tileset.source = written;
    const char first = first_byte(bytes);
    if (first == '{') return read_tsj_tileset(bytes, path, tileset);
    if (first == '<') return read_tsx_tileset(bytes, path, tileset);
    set_failure(kLevelNotTileset, path.c_str());
    return false;
}

bool read_level_file(const char* path, Level& out) {
    return guard_memory([&] {
        std::vector<uint8_t> bytes;
        if (!read_level_bytes(path, bytes)) return false;
        Level level;
        const char first = first_byte(bytes);
        bool ok;
        if (first == '{') {
            ok = read_tmj_map(bytes, path, level);
        } else if (first == '<') {
            ok = read_tmx_map(bytes, path, level);
        } else {
            set_failure(kLevelNotMap, path);
            ok = false;
        }
        if (!ok || !finish_level(level)) return false;
        out = std::move(level);
        return true;
    });
}

}  // namespace tw
