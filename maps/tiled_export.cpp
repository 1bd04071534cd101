#include "maps/tiled_export.h"

#include "common/failure.h"
#include "image/colour.h"
#include "levels/gid.h"
#include "levels/tmx_writer.h"
#include "maps/level_map.h"
#include "maps/tile_map.h"
#include "platform/files.h"
#include "platform/png.h"
#include "resources/texts.h"
#include "text/screen_cells.h"

namespace tw {
namespace {

constexpr uint32_t kImageSide = kTsxColumns * kTsxTileSize;  // 256: 32 x 32 characters

bool write_text(const std::string& path, const std::string& text) {
    if (write_whole_file(path.c_str(), text.data(), text.size())) return true;
    set_failure(kReasonTiledWrite, path.c_str());
    return false;
}

std::string hex_colours(const uint16_t (&colours)[256]) {
    static const char kDigits[] = "0123456789ABCDEF";
    std::string text;
    for (uint16_t c : colours)
        for (int shift = 12; shift >= 0; shift -= 4) text += kDigits[(c >> shift) & 15];
    return text;
}

// How many CHR banks were given: up to the last one present.
uint32_t chr_bank_count(const ScreenSources& s) {
    uint32_t n = 1;
    for (uint32_t b = 0; b < s.banks.size(); ++b)
        if (!s.banks[b].empty()) n = b + 1;
    return n;
}

// Every character (blank where its bank was not given) in bank `bank`'s indices.
std::vector<uint8_t> tileset_pixels(const ScreenSources& s, uint32_t bank) {
    std::vector<uint8_t> pixels(size_t{kImageSide} * kImageSide);
    for (uint32_t k = 0; k < kTsxTileCount; ++k) {
        const std::vector<uint8_t>& chr = s.banks[k / kTilesPerChr];
        const size_t at = size_t{k % kTilesPerChr} * kTileBytes;
        const uint32_t x0 = k % kTsxColumns * kTsxTileSize, y0 = k / kTsxColumns * kTsxTileSize;
        for (uint32_t r = 0; r < 8; ++r)
            for (uint32_t c = 0; c < 8; ++c) {
                uint32_t colour = 0;
                if (at + kTileBytes <= chr.size()) {
                    const uint8_t byte = chr[at + 4 * r + c / 2];
                    colour = static_cast<uint32_t>(c % 2 ? byte >> 4 : byte & 15);
                }
                pixels[size_t{y0 + r} * kImageSide + x0 + c] =
                    static_cast<uint8_t>(bank << 4 | colour);
            }
    }
    return pixels;
}

// The palette of every tileset picture: the COL, where each used bank's
// colour 0 is moved off the bank's other colours, so that its `trans` hides
// colour 0 alone. Colours from the target have their low bits clear, so
// setting the lowest bit of red moves it off all of them.
void tileset_palette(const uint16_t (&colours)[256], uint16_t banks, PngRgb (&out)[256]) {
    for (size_t i = 0; i < 256; ++i) {
        const Rgb c = col_to_rgb(colours[i]);
        out[i] = {c.r, c.g, c.b};
    }
    for (uint32_t b = 0; b < 16; ++b) {
        if (!(banks & 1u << b)) continue;
        PngRgb& key = out[16 * b];
        for (uint32_t i = 1; i < 16; ++i) {
            const PngRgb& o = out[16 * b + i];
            if (o.r == key.r && o.g == key.g && o.b == key.b)
                key.r = static_cast<uint8_t>(key.r | 1);
        }
    }
}

std::string trans_text(const PngRgb& c) {
    static const char kDigits[] = "0123456789abcdef";
    std::string text;
    for (uint8_t v : {c.r, c.g, c.b}) {
        text += kDigits[v >> 4];
        text += kDigits[v & 15];
    }
    return text;
}

}  // namespace

bool export_tiled(const std::vector<ScreenSources>& screens, const std::string& dir,
                  const std::string& name, TiledExportSummary& summary) {
    summary = TiledExportSummary{};
    const ScreenSources& first = screens.front();
    uint16_t banks = 0;
    for (const ScreenSources& s : screens)
        for (uint32_t y = 0; y < kScreenSide; ++y)
            for (uint32_t x = 0; x < kScreenSide; ++x)
                banks = static_cast<uint16_t>(
                    banks | 1u << cell_palette(static_cast<uint32_t>(s.cells[y][x])));

    TmxDocument doc;
    doc.width = doc.height = kScreenSide;
    doc.name = name;
    uint32_t first_gid[16] = {};
    uint32_t next_gid = 1;
    for (uint32_t b = 0; b < 16; ++b)
        if (banks & 1u << b) {
            first_gid[b] = next_gid;
            doc.tilesets.push_back({b, next_gid});
            next_gid += kTsxTileCount;
        }
    for (size_t l = 0; l < screens.size(); ++l) {
        TmxScreenLayer& layer = doc.layers.emplace_back();
        layer.name = "SCR" + std::to_string(l);
        for (uint32_t y = 0; y < kScreenSide; ++y)
            for (uint32_t x = 0; x < kScreenSide; ++x) {
                const auto cell = static_cast<uint32_t>(screens[l].cells[y][x]);
                uint32_t gid = first_gid[cell_palette(cell)] + (cell & 0x3FF);
                if (cell & kCellFlipH) gid |= kGidFlipHorizontal;
                if (cell & kCellFlipV) gid |= kGidFlipVertical;
                layer.gids.push_back(gid);
            }
    }
    // What the handheld shows where every layer is transparent. Reading the
    // level back ignores it: the COL travels in the properties.
    const Rgb back = col_to_rgb(first.colours[0]);
    // Appended, not "#" + text: g++ 12 warns (wrongly) of an overlap in that operator.
    doc.background_colour = "#";
    doc.background_colour += trans_text(PngRgb{back.r, back.g, back.b});
    doc.properties = {{kLevelMarkKey, kLevelMarkValue},
                      {kLevelColoursKey, hex_colours(first.colours)},
                      {kLevelChrBanksKey, std::to_string(chr_bank_count(first))}};

    PngRgb palette[256];
    tileset_palette(first.colours, banks, palette);
    for (const TmxTilesetRef& t : doc.tilesets) {
        const std::string tsx = tsx_file_name(name, t.bank);
        const std::string png = tsx.substr(0, tsx.size() - 4) + ".png";
        std::vector<uint8_t> bytes;
        const std::vector<uint8_t> pixels = tileset_pixels(first, t.bank);
        if (!png_encode_indexed8(pixels.data(), kImageSide, kImageSide, palette, bytes)) {
            set_failure(kReasonPictureEncode, (dir + png).c_str());
            return false;
        }
        if (!write_whole_file((dir + png).c_str(), bytes.data(), bytes.size())) {
            set_failure(kReasonTiledWrite, (dir + png).c_str());
            return false;
        }
        const std::string text = write_tsx(name + "_P" + std::to_string(t.bank), png, kImageSide,
                                           kImageSide, trans_text(palette[16 * t.bank]));
        if (!write_text(dir + tsx, text)) return false;
    }
    if (!write_text(dir + name + ".tmx", write_tmx(doc))) return false;
    summary.layers = static_cast<uint32_t>(screens.size());
    summary.tilesets = static_cast<uint32_t>(doc.tilesets.size());
    return true;
}

}  // namespace tw
