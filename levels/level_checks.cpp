// The rules every level meets before it is drawn, whichever format it came in.
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "common/failure.h"
#include "levels/gid.h"
#include "levels/level_parts.h"
#include "resources/texts.h"

namespace tw {
namespace {

// An offset as written: empty is 0; else a whole number of pixels on the 8-pixel grid.
bool parse_offset(const std::string& text, int32_t& out) {
    if (text.empty()) {
        out = 0;
        return true;
    }
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    // Only whole numbers pass, so the double decides nothing but "is it one".
    if (end == text.c_str() || *end != '\0' || !(std::fabs(value) <= 1 << 20) ||
        value != std::floor(value))
        return false;
    out = static_cast<int32_t>(value);
    return out % 8 == 0;
}

uint32_t tiles_across(uint32_t size, uint32_t margin, uint32_t tile, uint32_t spacing) {
    // As Tiled cuts an image: from the margin, a step of tile + spacing, while a tile fits.
    if (size < margin || size - margin < tile) return 0;
    return (size - margin - tile) / (tile + spacing) + 1;
}

bool load_tileset_image(LevelTileset& tileset) {
    if (!read_picture_file(tileset.image_path.c_str(), tileset.image)) {
        set_failure(kLevelImageMissing, tileset.name.c_str(), tileset.image_source.c_str(),
                    tileset.image_path.c_str());
        return false;
    }
    Picture& image = tileset.image;
    if (tileset.has_trans)
        for (Rgba& p : image.pixels)
            if (p.r == tileset.trans.r && p.g == tileset.trans.g && p.b == tileset.trans.b)
                p = Rgba{0, 0, 0, 0};
    tileset.columns =
        tiles_across(image.width, tileset.margin, tileset.tile_width, tileset.spacing);
    tileset.tile_count = tileset.columns * tiles_across(image.height, tileset.margin,
                                                        tileset.tile_height, tileset.spacing);
    return true;
}

bool check_layer(const Level& level, const LevelLayer& layer) {
    for (uint32_t y = 0; y < level.height; ++y)
        for (uint32_t x = 0; x < level.width; ++x) {
            const uint32_t gid = layer.gids[static_cast<size_t>(y) * level.width + x];
            if (gid & kGidHexRotation) {
                set_failure(kLevelHexFlag, layer.name.c_str(), x, y);
                return false;
            }
            const uint32_t id = gid & kGidId;
            if (id == 0) continue;
            const LevelTileset* tileset = level_tileset_of(level, id);
            if (!tileset || id - tileset->first_gid >= tileset->tile_count) {
                set_failure(kLevelUnknownTile, layer.name.c_str(), id, x, y);
                return false;
            }
            if ((gid & kGidFlipDiagonal) && level.tile_width != level.tile_height) {
                set_failure(kLevelDiagonalNotSquare, layer.name.c_str(), x, y);
                return false;
            }
        }
    return true;
}

}  // namespace

const LevelTileset* level_tileset_of(const Level& level, uint32_t id) {
    const LevelTileset* found = nullptr;
    for (const LevelTileset& t : level.tilesets)
        if (t.first_gid <= id) found = &t;
    return found;
}

bool admit_map(const MapHeader& header, Level& level) {
    if (header.orientation != "orthogonal") {
        set_failure(kLevelNotOrthogonal, header.orientation.c_str());
        return false;
    }
    if (header.infinite) {
        set_failure(kLevelInfinite);
        return false;
    }
    if (header.tile_width == 0 || header.tile_height == 0 || header.tile_width % 8 != 0 ||
        header.tile_height % 8 != 0) {
        set_failure(kLevelTileSize, header.tile_width, header.tile_height);
        return false;
    }
    const unsigned long long across =
        static_cast<unsigned long long>(header.width) * (header.tile_width / 8);
    const unsigned long long down =
        static_cast<unsigned long long>(header.height) * (header.tile_height / 8);
    if (across > kLevelMaxCells || down > kLevelMaxCells) {
        set_failure(kLevelTooLarge, across, down);
        return false;
    }
    level.width = header.width;
    level.height = header.height;
    level.tile_width = header.tile_width;
    level.tile_height = header.tile_height;
    return true;
}

bool enter_layer(const LayerScope& outer, const std::string& name, bool visible, bool faded,
                 const std::string& offset_x, const std::string& offset_y, LayerScope& inner) {
    int32_t x = 0;
    int32_t y = 0;
    if (!parse_offset(offset_x, x) || !parse_offset(offset_y, y)) {
        set_failure(kLevelOffset, name.c_str(), offset_x.empty() ? "0" : offset_x.c_str(),
                    offset_y.empty() ? "0" : offset_y.c_str());
        return false;
    }
    inner.visible = outer.visible && visible;
    inner.faded = outer.faded || faded;
    inner.offset_x = outer.offset_x + x;
    inner.offset_y = outer.offset_y + y;
    return true;
}

bool admit_tile_layer(Level& level, const std::string& name, uint32_t width, uint32_t height,
                      const LayerScope& scope, bool* draw) {
    *draw = false;
    if (!scope.visible) {
        ++level.hidden_tile_layers;
        return true;
    }
    if (level.layers.size() == kLevelMaxVisibleLayers) {
        set_failure(kLevelTooManyLayers, name.c_str());
        return false;
    }
    if (width != level.width || height != level.height) {
        set_failure(kLevelLayerSize, name.c_str(), width, height, level.width, level.height);
        return false;
    }
    LevelLayer layer;
    layer.name = name;
    layer.offset_x = scope.offset_x;
    layer.offset_y = scope.offset_y;
    level.layers.push_back(std::move(layer));
    if (scope.faded) level.faded_layers.push_back(name);
    *draw = true;
    return true;
}

bool finish_level(Level& level) {
    std::stable_sort(
        level.tilesets.begin(), level.tilesets.end(),
        [](const LevelTileset& a, const LevelTileset& b) { return a.first_gid < b.first_gid; });
    for (LevelTileset& tileset : level.tilesets) {
        if (tileset.tile_width != level.tile_width || tileset.tile_height != level.tile_height) {
            set_failure(kLevelTilesetTileSize, tileset.name.c_str(), tileset.tile_width,
                        tileset.tile_height, level.tile_width, level.tile_height);
            return false;
        }
        if (!load_tileset_image(tileset)) return false;
    }
    for (const LevelLayer& layer : level.layers)
        if (!check_layer(level, layer)) return false;
    return true;
}

}  // namespace tw
