#pragma once
// Levels and tilesets written for Tiled: maps of 8 x 8 tiles with one layer
// for each screen, and tilesets of one image of 1024 tiles in 32 columns.
// The caller writes the tileset images (indexed PNG).

#include <cstdint>
#include <string>
#include <vector>

#include "levels/level.h"

namespace tw {

inline constexpr uint32_t kTsxTileCount = 1024;
inline constexpr uint32_t kTsxColumns = 32;
inline constexpr uint32_t kTsxTileSize = 8;

struct TmxScreenLayer {
    std::string name;
    std::vector<uint32_t> gids;  // width x height, top row first, flags kept
};

struct TmxTilesetRef {
    uint32_t bank = 0;  // the file is NAME_P<bank>.tsx beside the map
    uint32_t first_gid = 1;
};

struct TmxDocument {
    uint32_t width = 0;  // in cells
    uint32_t height = 0;
    std::string name;  // of the tileset files
    std::vector<TmxTilesetRef> tilesets;
    std::vector<TmxScreenLayer> layers;
    LevelProperties properties;     // written as strings
    std::string background_colour;  // "#rrggbb", the map's backgroundcolor; none when empty
};

// The file name of a tileset: NAME_P<bank>.tsx.
std::string tsx_file_name(const std::string& name, uint32_t bank);

// The TMX text of a document (CSV layer data, one row of cells a line).
std::string write_tmx(const TmxDocument& document);

// The TSX text of a tileset of kTsxTileCount tiles of 8 x 8 in kTsxColumns
// columns, cut from the image at image_source (image_width x image_height);
// `trans` (RRGGBB) is the image's transparent colour, none when empty.
std::string write_tsx(const std::string& name, const std::string& image_source,
                      uint32_t image_width, uint32_t image_height, const std::string& trans = {});

}  // namespace tw
