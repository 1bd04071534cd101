#include "maps/level_map.h"

#include <algorithm>
#include <bit>
#include <memory>

#include "common/ascii_text.h"
#include "common/failure.h"
#include "image/image_outputs.h"
#include "image/ptc_container.h"
#include "image/resource_kinds.h"
#include "levels/gid.h"
#include "levels/level_draw.h"
#include "levels/tmx_writer.h"
#include "maps/map_convert.h"
#include "maps/picture_map.h"
#include "maps/report_picture.h"
#include "resources/texts.h"
#include "text/scr_screen.h"
#include "text/screen_cells.h"

namespace tw {
namespace {

struct Screen {
    ScreenCells cells{};
};

// What a level written by `tiled` carries besides its cells.
struct OwnLevel {
    uint16_t colours[256] = {};
    std::vector<PackedTile> tiles;  // 256 for each CHR bank
    std::vector<uint32_t> bank_of;  // each tileset's palette bank
};

const std::string* property(const Level& level, const char* key) {
    for (const auto& [k, v] : level.properties)
        if (k == key) return &v;
    return nullptr;
}

int hex_digit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

bool read_colours(const std::string& text, uint16_t (&colours)[256]) {
    if (text.size() != 4 * 256) return false;
    for (size_t i = 0; i < 256; ++i) {
        uint32_t v = 0;
        for (size_t k = 0; k < 4; ++k) {
            const int d = hex_digit(text[4 * i + k]);
            if (d < 0) return false;
            v = v << 4 | static_cast<uint32_t>(d);
        }
        colours[i] = static_cast<uint16_t>(v);
    }
    return true;
}

// A tileset as `tiled` writes it: 1024 characters of 8 x 8 in 32 columns, an
// indexed image whose every pixel is its bank's colour (bank * 16 + colour).
bool own_tileset(const LevelTileset& t, uint32_t& bank) {
    const Picture& p = t.image;
    if (t.tile_width != kTsxTileSize || t.tile_height != kTsxTileSize || t.margin != 0 ||
        t.spacing != 0 || t.columns != kTsxColumns || t.tile_count != kTsxTileCount || !p.indexed ||
        p.width != kTsxColumns * kTsxTileSize ||
        p.height != kTsxTileCount / kTsxColumns * kTsxTileSize || p.indices.empty())
        return false;
    bank = static_cast<uint32_t>(p.indices[0] >> 4);
    for (uint8_t i : p.indices)
        if (static_cast<uint32_t>(i >> 4) != bank) return false;
    return true;
}

// The level as ours, or false when it is not (or no longer) one we can read
// back by character: then it is read as any other level.
bool own_level(const Level& level, OwnLevel& own) {
    const std::string* mark = property(level, kLevelMarkKey);
    const std::string* colours = property(level, kLevelColoursKey);
    const std::string* banks = property(level, kLevelChrBanksKey);
    if (!mark || *mark != kLevelMarkValue || !colours || !banks || level.tilesets.empty() ||
        level.tile_width != kTsxTileSize || level.tile_height != kTsxTileSize ||
        !read_colours(*colours, own.colours))
        return false;
    if (banks->size() != 1 || (*banks)[0] < '1' || (*banks)[0] > '4') return false;
    const uint32_t chr_banks = static_cast<uint32_t>((*banks)[0] - '0');
    for (const LevelTileset& t : level.tilesets) {
        uint32_t bank = 0;
        if (!own_tileset(t, bank)) return false;
        own.bank_of.push_back(bank);
    }
    for (const LevelLayer& l : level.layers) {
        if (l.offset_x != 0 || l.offset_y != 0) return false;
        for (uint32_t gid : l.gids)
            if (gid & kGidFlipDiagonal) return false;
    }
    // Every tileset holds the same characters; the first gives them.
    const Picture& image = level.tilesets[0].image;
    own.tiles.resize(size_t{kTilesPerChr} * chr_banks);
    for (size_t k = 0; k < own.tiles.size(); ++k) {
        uint8_t colours64[64];
        const size_t x0 = k % kTsxColumns * kTsxTileSize, y0 = k / kTsxColumns * kTsxTileSize;
        for (size_t r = 0; r < 8; ++r)
            for (size_t c = 0; c < 8; ++c)
                colours64[8 * r + c] =
                    static_cast<uint8_t>(image.indices[(y0 + r) * image.width + x0 + c] & 15);
        own.tiles[k] = pack_tile(colours64, false, false);
    }
    return true;
}

void cells_by_character(const Level& level, const OwnLevel& own, std::vector<Screen>& screens,
                        PictureSummary& s) {
    for (const LevelLayer& l : level.layers) {
        Screen& screen = screens.emplace_back();
        for (size_t i = 0; i < l.gids.size(); ++i) {
            const uint32_t gid = l.gids[i];
            const LevelTileset* t = level_tileset_of(level, gid & kGidId);
            if (t == nullptr) continue;  // no tile: cell 0
            const uint32_t bank = own.bank_of[static_cast<size_t>(t - level.tilesets.data())];
            uint32_t cell = (gid & kGidId) - t->first_gid;
            if (gid & kGidFlipHorizontal) cell |= kCellFlipH;
            if (gid & kGidFlipVertical) cell |= kCellFlipV;
            if (gid & (kGidFlipHorizontal | kGidFlipVertical)) ++s.flipped_cells;
            s.banks_used = static_cast<uint16_t>(s.banks_used | 1u << bank);
            screen.cells[i / level.width][i % level.width] =
                static_cast<int32_t>(cell | bank << kCellPaletteShift);
        }
    }
    s.rule = PaletteRule::KEEP;
    s.reason = RuleReason::ASKED;
    // The characters the cells use (an empty cell uses character 0), not every one the banks hold.
    std::vector<uint8_t> used(kCellTileCount, 0);
    for (const Screen& screen : screens)
        for (const auto& row : screen.cells)
            for (int32_t cell : row) used[cell_tile(static_cast<uint32_t>(cell))] = 1;
    s.tiles = static_cast<size_t>(std::count(used.begin(), used.end(), 1));
    s.bank_count = static_cast<uint32_t>(std::popcount(s.banks_used));
}

bool write_outputs(const ConvertJob& job, const uint16_t (&colours)[256],
                   const std::vector<PackedTile>& tiles, const std::vector<Screen>& screens) {
    ImageOutputs chr(job, kChrKind.tag());
    bool ok = chr.write_col(colours);
    ok = write_chr_parts(chr, tiles) && ok;
    ImageOutputs scr(job, kScrKind.tag());
    const auto parts = static_cast<uint32_t>(screens.size());
    for (uint32_t i = 0; i < parts; ++i)
        ok = write_screen_part(scr, screens[i].cells, parts, i) && ok;
    return ok;
}

// The report of a level read back by character: each layer as drawn, each
// cell marked with its bank.
bool report_by_character(const ConvertJob& job, const Level& level, const OwnLevel& own,
                         const std::vector<Screen>& screens, const PictureOptions& options,
                         std::string& paths) {
    BankPalette palette;
    std::copy(std::begin(own.colours), std::end(own.colours), palette.colours);
    const auto parts = static_cast<uint32_t>(screens.size());
    bool ok = true;
    for (uint32_t i = 0; i < parts; ++i) {
        const Picture picture = draw_level_layer(level, i);
        UnitBanks units;
        units.grid = unit_grid(picture.width, picture.height, 8, 8);
        units.width = units.grid.across * 8;
        units.height = units.grid.down * 8;
        units.numbers.assign(size_t{units.width} * units.height, 0);
        units.failing.assign(units.grid.count(), 0);
        for (uint32_t u = 0; u < units.grid.count(); ++u) {
            const auto cell = static_cast<uint32_t>(
                screens[i].cells[units.grid.y_of(u) / 8][units.grid.x_of(u) / 8]);
            units.drawn.push_back(cell != 0);
            units.bank.push_back(static_cast<uint8_t>(cell >> kCellPaletteShift & 15));
            if (cell != 0)
                palette.used = static_cast<uint16_t>(palette.used | 1u << units.bank.back());
        }
        ok = write_part_report(job, parts, i, render_report(picture, units, palette),
                               options.report_encoder, paths) &&
             ok;
    }
    return ok;
}

}  // namespace

bool is_level_path(const std::string& path) {
    return ends_with_ci(path, ".tmx") || ends_with_ci(path, ".tmj") || ends_with_ci(path, ".json");
}

bool read_level_source(const char* path, const std::string& prefix, Level& level, MapSource& source,
                       LevelMapSummary& summary) {
    if (!read_level_file(path, level)) return false;
    summary.layers = static_cast<uint32_t>(level.layers.size());
    summary.hidden_tile_layers = level.hidden_tile_layers;
    summary.object_layers = level.object_layers;
    summary.image_layers = level.image_layers;
    summary.faded_layers = level.faded_layers;
    if (level.layers.empty()) {
        set_failure(kLevelNoLayers);
        return false;
    }
    source.level = true;
    for (size_t l = 0; l < level.layers.size(); ++l) {
        source.pictures.push_back(draw_level_layer(level, l));
        source.names.push_back(prefix.empty() ? level.layers[l].name
                                              : prefix + ": " + level.layers[l].name);
    }
    return true;
}

bool convert_level_map(const ConvertJob& job, const PictureOptions& options,
                       LevelMapSummary& summary) {
    summary = LevelMapSummary{};
    auto level = std::make_unique<Level>();
    std::vector<MapSource> sources(1);
    sources[0].job = job;
    if (!read_level_source(job.path, {}, *level, sources[0], summary)) return false;
    PictureSummary& s = summary.picture;
    s.width = s.padded_width = level->width * level->tile_width;
    s.height = s.padded_height = level->height * level->tile_height;

    auto own = std::make_unique<OwnLevel>();
    if (options.palette == PaletteRule::AUTO && own_level(*level, *own)) {
        summary.by_character = true;
        std::vector<Screen> screens;
        cells_by_character(*level, *own, screens, s);
        bool ok = write_outputs(job, own->colours, own->tiles, screens);
        if (options.report) {
            const SavedFailure reason = save_failure();
            const bool reported =
                report_by_character(job, *level, *own, screens, options, s.report_path);
            if (!ok && reported) restore_failure(reason);
            ok = ok && reported;
        }
        return ok;
    }
    std::vector<PictureSummary> summaries;
    const bool ok = write_map_set(job, sources, options, summaries);
    if (!summaries.empty()) summary.picture = summaries[0];
    return ok;
}

}  // namespace tw
