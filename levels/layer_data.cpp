// Layer data: CSV, or base64 of little-endian 32-bit ids, raw or compressed.
#include <zlib.h>

#include <cstring>

#include "common/failure.h"
#include "common/little_endian.h"
#include "levels/level_parts.h"
#include "resources/texts.h"

#ifdef TW_HAVE_ZSTD
#include <zstd.h>
#endif

namespace tw {
namespace {

bool is_space(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

// Ids separated by commas, with any whitespace around them (Tiled breaks rows).
bool parse_csv(const std::string& text, std::vector<uint32_t>& out) {
    size_t i = 0;
    const size_t n = text.size();
    auto skip_space = [&] {
        while (i < n && is_space(text[i])) ++i;
    };
    skip_space();
    while (i < n) {
        uint64_t value = 0;
        const size_t start = i;
        while (i < n && text[i] >= '0' && text[i] <= '9') {
            value = value * 10 + static_cast<uint64_t>(text[i] - '0');
            if (value > 0xFFFFFFFFu) return false;
            ++i;
        }
        if (i == start) return false;
        out.push_back(static_cast<uint32_t>(value));
        skip_space();
        if (i < n) {
            if (text[i] != ',') return false;
            ++i;
            skip_space();
            if (i == n) return false;
        }
    }
    return true;
}

int base64_value(char c) {
    if (c >= 'A' && c <= 'Z') return c - 'A';
    if (c >= 'a' && c <= 'z') return c - 'a' + 26;
    if (c >= '0' && c <= '9') return c - '0' + 52;
    if (c == '+') return 62;
    if (c == '/') return 63;
    return -1;
}

// Whitespace is skipped anywhere (TMX indents the text); '=' only at the end.
bool parse_base64(const std::string& text, std::vector<uint8_t>& out) {
    uint32_t bits = 0;
    int count = 0;
    size_t padding = 0;
    for (char c : text) {
        if (is_space(c)) continue;
        if (c == '=') {
            ++padding;
            continue;
        }
        const int v = base64_value(c);
        if (v < 0 || padding > 0) return false;
        bits = (bits << 6) | static_cast<uint32_t>(v);
        if (++count == 4) {
            out.push_back(static_cast<uint8_t>(bits >> 16));
            out.push_back(static_cast<uint8_t>(bits >> 8));
            out.push_back(static_cast<uint8_t>(bits));
            bits = 0;
            count = 0;
        }
    }
    if (count == 1 || padding > 2) return false;
    if (count == 2) out.push_back(static_cast<uint8_t>(bits >> 4));
    if (count == 3) {
        out.push_back(static_cast<uint8_t>(bits >> 10));
        out.push_back(static_cast<uint8_t>(bits >> 2));
    }
    return true;
}

// Inflates a zlib (window_bits 15) or gzip (31) stream of exactly `size` bytes.
bool inflate_exact(const std::vector<uint8_t>& in, int window_bits, size_t size,
                   std::vector<uint8_t>& out) {
    // One byte more than wanted, so that a longer stream is noticed.
    out.assign(size + 1, 0);
    z_stream z{};
    if (inflateInit2(&z, window_bits) != Z_OK) return false;
    z.next_in = const_cast<Bytef*>(in.data());
    z.avail_in = static_cast<uInt>(in.size());
    z.next_out = out.data();
    z.avail_out = static_cast<uInt>(out.size());
    const int rc = inflate(&z, Z_FINISH);
    const size_t got = out.size() - z.avail_out;
    inflateEnd(&z);
    out.resize(got);
    return rc == Z_STREAM_END && got == size;
}

}  // namespace

bool decode_layer_data(const std::string& layer, const std::string& encoding,
                       const std::string& compression, const std::string& text, size_t count,
                       std::vector<uint32_t>& gids) {
    gids.clear();
    if (encoding == "csv") {
        if (!compression.empty()) {
            set_failure(kLevelCompression, layer.c_str(), compression.c_str());
            return false;
        }
        if (!parse_csv(text, gids)) {
            set_failure(kLevelDataBroken, layer.c_str());
            return false;
        }
        if (gids.size() != count) {
            set_failure(kLevelDataCount, layer.c_str(), gids.size(), count);
            return false;
        }
        return true;
    }
    if (encoding != "base64") {
        set_failure(kLevelEncoding, layer.c_str(), encoding.c_str());
        return false;
    }
    std::vector<uint8_t> packed;
    if (!parse_base64(text, packed)) {
        set_failure(kLevelDataBroken, layer.c_str());
        return false;
    }
    const size_t size = count * 4;
    std::vector<uint8_t> raw;
    bool ok = true;
    if (compression.empty()) {
        raw = std::move(packed);
    } else if (compression == "zlib" || compression == "gzip") {
        ok = inflate_exact(packed, compression == "zlib" ? 15 : 31, size, raw);
    } else if (compression == "zstd") {
#ifdef TW_HAVE_ZSTD
        raw.assign(size + 1, 0);
        const size_t got = ZSTD_decompress(raw.data(), raw.size(), packed.data(), packed.size());
        ok = !ZSTD_isError(got) && got == size;
        raw.resize(ok ? got : 0);
#else
        set_failure(kLevelZstdWindows, layer.c_str());
        return false;
#endif
    } else {
        set_failure(kLevelCompression, layer.c_str(), compression.c_str());
        return false;
    }
    if (!ok) {
        set_failure(kLevelDataBroken, layer.c_str());
        return false;
    }
    if (raw.size() != size) {
        if (raw.size() % 4 != 0) {
            set_failure(kLevelDataBroken, layer.c_str());
        } else {
            set_failure(kLevelDataCount, layer.c_str(), raw.size() / 4, count);
        }
        return false;
    }
    gids.resize(count);
    for (size_t i = 0; i < count; ++i) gids[i] = get_le32(raw.data() + 4 * i);
    return true;
}

}  // namespace tw
