#include "levels/level_fixtures.h"

#include <zlib.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "support/imagemagick.h"
#include "support/png_writer.h"
#include "support/temp_dir.h"

#ifndef _WIN32
#include <zstd.h>
#endif

namespace tw::test {
namespace {

uint32_t next(uint32_t& state) {
    state = state * 1103515245u + 12345u;
    return state >> 8;
}

// Distinct colours, so that every pixel tells where it came from.
uint32_t colour(uint32_t i) {
    return ((i * 37 + 11) & 0xFF) << 16 | ((i * 91 + 7) & 0xFF) << 8 | ((i * 53 + 3) & 0xFF);
}

std::string base64(const std::vector<uint8_t>& bytes) {
    static const char* digits = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    for (size_t i = 0; i < bytes.size(); i += 3) {
        const uint32_t b = bytes[i] << 16 | (i + 1 < bytes.size() ? bytes[i + 1] << 8 : 0) |
                           (i + 2 < bytes.size() ? bytes[i + 2] : 0);
        out += digits[b >> 18];
        out += digits[(b >> 12) & 63];
        out += i + 1 < bytes.size() ? digits[(b >> 6) & 63] : '=';
        out += i + 2 < bytes.size() ? digits[b & 63] : '=';
    }
    return out;
}

std::vector<uint8_t> deflate_bytes(const std::vector<uint8_t>& raw, int window_bits) {
    z_stream z{};
    deflateInit2(&z, 9, Z_DEFLATED, window_bits, 8, Z_DEFAULT_STRATEGY);
    std::vector<uint8_t> out(deflateBound(&z, static_cast<uLong>(raw.size())) + 32);
    z.next_in = const_cast<Bytef*>(raw.data());
    z.avail_in = static_cast<uInt>(raw.size());
    z.next_out = out.data();
    z.avail_out = static_cast<uInt>(out.size());
    deflate(&z, Z_FINISH);
    out.resize(out.size() - z.avail_out);
    deflateEnd(&z);
    return out;
}

std::string tileset_body(const TilesetSpec& t) {
    const uint32_t w = 2 * t.margin + t.columns * t.tile + (t.columns - 1) * t.spacing;
    const uint32_t h = 2 * t.margin + t.rows * t.tile + (t.rows - 1) * t.spacing;
    std::string out = " name=\"" + t.name + "\" tilewidth=\"" + std::to_string(t.tile) +
                      "\" tileheight=\"" + std::to_string(t.tile) + "\" spacing=\"" +
                      std::to_string(t.spacing) + "\" margin=\"" + std::to_string(t.margin) +
                      "\" tilecount=\"" + std::to_string(t.columns * t.rows) + "\" columns=\"" +
                      std::to_string(t.columns) + "\"" + t.extra_attributes +
                      ">\n  <image source=\"" +
                      (t.image_source.empty() ? t.name + ".png" : t.image_source) + "\"";
    if (t.trans) {
        char hex[8];
        std::snprintf(hex, sizeof hex, "%06x", colour(0));
        out += std::string(" trans=\"") + hex + "\"";
    }
    return out + " width=\"" + std::to_string(w) + "\" height=\"" + std::to_string(h) +
           "\"/>\n </tileset>\n";
}

void write_tileset_image(const std::string& dir, const TilesetSpec& t) {
    PngFixture png;
    png.width = 2 * t.margin + t.columns * t.tile + (t.columns - 1) * t.spacing;
    png.height = 2 * t.margin + t.rows * t.tile + (t.rows - 1) * t.spacing;
    for (uint32_t i = 0; i < 64; ++i) png.palette.push_back(colour(i));
    uint32_t state = t.seed;
    for (uint32_t i = 0; i < png.width * png.height; ++i)
        png.pixels.push_back(static_cast<uint8_t>(next(state) % 64));
    write_file(dir + "/" + t.name + ".png", make_png(png));
}

#ifndef _WIN32
std::string quoted(const std::string& s) {
    return "'" + s + "'";
}

std::vector<uint8_t> run(const std::string& cmd) {
    std::vector<uint8_t> out;
    FILE* p = popen(cmd.c_str(), "r");
    if (!p) return out;
    uint8_t buf[4096];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, p)) > 0) out.insert(out.end(), buf, buf + n);
    if (pclose(p) != 0) out.clear();
    return out;
}

const char* kQt = "QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=/tmp ";
#endif

}  // namespace

LayerSpec layer(const std::string& name, std::vector<uint32_t> gids, const std::string& encoding,
                const std::string& compression) {
    LayerSpec out;
    out.name = name;
    out.gids = std::move(gids);
    out.encoding = encoding;
    out.compression = compression;
    return out;
}

std::string encode_layer(const std::vector<uint32_t>& gids, const std::string& encoding,
                         const std::string& compression, uint32_t width) {
    if (encoding == "csv") {
        std::string out = "\n";
        for (size_t i = 0; i < gids.size(); ++i)
            out += std::to_string(gids[i]) + (i + 1 < gids.size() ? "," : "") +
                   ((i + 1) % width == 0 ? "\n" : "");
        return out;
    }
    if (encoding.empty()) {
        std::string out;
        for (uint32_t g : gids) out += "<tile gid=\"" + std::to_string(g) + "\"/>";
        return out;
    }
    std::vector<uint8_t> raw;
    for (uint32_t g : gids)
        for (int k = 0; k < 4; ++k) raw.push_back(static_cast<uint8_t>(g >> (8 * k)));
    std::vector<uint8_t> packed = raw;
    if (compression == "zlib") packed = deflate_bytes(raw, 15);
    if (compression == "gzip") packed = deflate_bytes(raw, 31);
#ifndef _WIN32
    if (compression == "zstd") {
        packed.resize(ZSTD_compressBound(raw.size()));
        packed.resize(ZSTD_compress(packed.data(), packed.size(), raw.data(), raw.size(), 3));
    }
#endif
    return "\n   " + base64(packed) + "\n  ";
}

std::string write_level_files(const std::string& dir, const LevelPlan& level) {
    std::string tmx =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<map version=\"1.8\" "
        "orientation=\"orthogonal\" renderorder=\"right-down\" width=\"" +
        std::to_string(level.width) + "\" height=\"" + std::to_string(level.height) +
        "\" tilewidth=\"" + std::to_string(level.tile) + "\" tileheight=\"" +
        std::to_string(level.tile) + "\" infinite=\"0\"" + level.map_attributes + ">\n";
    uint32_t first = 1;
    for (const TilesetSpec& t : level.tilesets) {
        write_tileset_image(dir, t);
        tmx += " <tileset firstgid=\"" + std::to_string(first) + "\"";
        if (t.external) {
            write_file(dir + "/" + t.name + ".tsx",
                       "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<tileset" + tileset_body(t));
            tmx += " source=\"" + t.name + ".tsx\"/>\n";
        } else {
            tmx += tileset_body(t);
        }
        first += t.columns * t.rows;
    }
    std::string open_group;
    for (size_t i = 0; i < level.layers.size(); ++i) {
        const LayerSpec& l = level.layers[i];
        if (l.group != open_group) {
            if (!open_group.empty()) tmx += " </group>\n";
            if (!l.group.empty()) tmx += " <group name=\"" + l.group + "\">\n";
            open_group = l.group;
        }
        tmx += " <layer id=\"" + std::to_string(i + 1) + "\" name=\"" + l.name + "\" width=\"" +
               std::to_string(level.width) + "\" height=\"" + std::to_string(level.height) + "\"";
        if (!l.visible) tmx += " visible=\"0\"";
        if (l.offset_x) tmx += " offsetx=\"" + std::to_string(l.offset_x) + "\"";
        if (l.offset_y) tmx += " offsety=\"" + std::to_string(l.offset_y) + "\"";
        tmx += l.extra_attributes + ">\n  <data";
        if (!l.encoding.empty()) tmx += " encoding=\"" + l.encoding + "\"";
        if (!l.compression.empty()) tmx += " compression=\"" + l.compression + "\"";
        // Appended piece by piece: GCC 12 warns wrongly on ">" + a string.
        tmx += '>';
        tmx += encode_layer(l.gids, l.encoding, l.compression, level.width);
        tmx += "</data>\n </layer>\n";
    }
    if (!open_group.empty()) tmx += " </group>\n";
    return tmx + "</map>\n";
}

bool tiled_tools_present() {
#ifndef _WIN32
    return std::filesystem::exists("/usr/bin/tmxrasterizer") &&
           std::filesystem::exists("/usr/bin/tiled");
#else
    return false;
#endif
}

Picture rasterize_layer(const std::string& tmx, const std::string& layer,
                        const std::vector<std::string>& all_layers) {
    Picture out;
#ifndef _WIN32
    const std::string png = tmx + "." + layer + ".png";
    std::string cmd = std::string(kQt) + "tmxrasterizer --no-smoothing";
    for (const std::string& other : all_layers)
        if (other != layer) cmd += " --hide-layer " + quoted(other);
    cmd += " " + quoted(tmx) + " " + quoted(png) + " >/dev/null 2>&1 && echo ok";
    if (run(cmd).empty()) return out;
    // ImageMagick reads the drawing: the test's own decoder reads indexed PNG only.
    if (!imagemagick()) return out;
    const std::string size = image_size(png);
    const std::vector<uint8_t> rgba =
        run(std::string(imagemagick()) + " " + quoted(png) + " -depth 8 rgba:-");
    unsigned w = 0, h = 0;
    if (std::sscanf(size.c_str(), "%u %u", &w, &h) != 2 ||
        rgba.size() != static_cast<size_t>(w) * h * 4)
        return out;
    out.width = w;
    out.height = h;
    for (size_t i = 0; i < rgba.size(); i += 4)
        out.pixels.push_back(Rgba{rgba[i], rgba[i + 1], rgba[i + 2], rgba[i + 3]});
#else
    (void)tmx, (void)layer, (void)all_layers;
#endif
    return out;
}

bool export_json(const std::string& tmx, const std::string& json) {
#ifndef _WIN32
    return !run(std::string(kQt) + "tiled --export-map json " + quoted(tmx) + " " + quoted(json) +
                " >/dev/null 2>&1 && echo ok")
                .empty();
#else
    (void)tmx, (void)json;
    return false;
#endif
}

}  // namespace tw::test
