#pragma once
// The steps of reading a level that TMX and JSON share. Each records its reason
// when it fails.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "levels/level.h"

namespace tw {

struct MapHeader {
    std::string orientation;
    bool infinite = false;
    uint32_t width = 0;
    uint32_t height = 0;
    uint32_t tile_width = 0;
    uint32_t tile_height = 0;
};

// The refusals that the map element alone decides; fills the level's sizes.
bool admit_map(const MapHeader& header, Level& level);

// What a layer inherits from the groups around it.
struct LayerScope {
    bool visible = true;
    bool faded = false;  // an opacity below 1 or a tint
    int32_t offset_x = 0;
    int32_t offset_y = 0;
};

// The scope inside a layer or group, from its own attributes as written. False
// (reason naming it) when its offset is not a whole number of 8-pixel cells.
bool enter_layer(const LayerScope& outer, const std::string& name, bool visible, bool faded,
                 const std::string& offset_x, const std::string& offset_y, LayerScope& inner);

// A tile layer of the given size: counted when hidden, else refused when it is
// one visible layer too many or not the map's size. True with *draw set when
// its data should be read into level.layers.back().
bool admit_tile_layer(Level& level, const std::string& name, uint32_t width, uint32_t height,
                      const LayerScope& scope, bool* draw);

// Layer data as the map holds it: "csv" or "base64" text, the latter
// uncompressed ("") or "zlib", "gzip" or "zstd". Exactly `count` ids.
bool decode_layer_data(const std::string& layer, const std::string& encoding,
                       const std::string& compression, const std::string& text, size_t count,
                       std::vector<uint32_t>& gids);

// A path as a file names it, resolved against that file's folder, in the
// system's code page.
std::string resolve_level_path(const std::string& naming_file, const std::string& written);

// Reads an external tileset (TSX or JSON) into tileset, keeping its first gid.
bool read_tileset_file(const std::string& path, const std::string& written, LevelTileset& tileset);

// Whole files of a level, refused beyond a size no level of ours reaches.
bool read_level_bytes(const std::string& path, std::vector<uint8_t>& bytes);

// "#rrggbb" or "rrggbb" (Tiled's trans and transparentcolor).
bool parse_trans(const std::string& text, Rgba& out);

// A decimal number without sign; false when the text is anything else.
bool parse_count(const std::string& text, uint32_t& out);

// After every layer and tileset is read: tile sizes, images, every id drawable.
bool finish_level(Level& level);

// The formats, each from the whole file's bytes.
bool read_tmx_map(const std::vector<uint8_t>& bytes, const std::string& path, Level& level);
bool read_tmj_map(const std::vector<uint8_t>& bytes, const std::string& path, Level& level);
bool read_tsx_tileset(const std::vector<uint8_t>& bytes, const std::string& path,
                      LevelTileset& tileset);
bool read_tsj_tileset(const std::vector<uint8_t>& bytes, const std::string& path,
                      LevelTileset& tileset);

}  // namespace tw
