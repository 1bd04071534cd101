#pragma once
// A Tiled level as we read it: an orthogonal map of fixed size, its visible tile
// layers as global tile ids, and its tilesets, each one image cut into tiles.
//
// Maps are TMX or JSON (.tmj), tilesets embedded or in TSX or JSON (.tsj)
// files; the format is told by the first byte of the file, not its name.
// Reading checks everything drawing needs (every tile in a tileset, flags that
// can be drawn, offsets on the 8-pixel grid), so drawing cannot fail.

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "picture/picture.h"

namespace tw {

using LevelProperties = std::vector<std::pair<std::string, std::string>>;

struct LevelTileset {
    uint32_t first_gid = 0;
    std::string name;
    std::string source;        // the tileset file as written; empty when embedded
    std::string image_source;  // as written
    std::string image_path;    // resolved against the file that names it
    uint32_t tile_width = 0;
    uint32_t tile_height = 0;
    uint32_t margin = 0;
    uint32_t spacing = 0;
    bool has_trans = false;
    Rgba trans{0, 0, 0, 255};
    // From the image, as Tiled cuts it: tiles while they fit, rows first.
    uint32_t columns = 0;
    uint32_t tile_count = 0;
    Picture image;  // the trans colour already has alpha 0
};

struct LevelLayer {
    std::string name;
    int32_t offset_x = 0;  // pixels, its groups' offsets included
    int32_t offset_y = 0;
    std::vector<uint32_t> gids;  // the map's width x height, top row first, flags kept
};

struct Level {
    uint32_t width = 0;  // in tiles
    uint32_t height = 0;
    uint32_t tile_width = 0;  // in pixels
    uint32_t tile_height = 0;
    std::string map_class;               // the map's class (Tiled 1.9), when it has one
    LevelProperties properties;          // the map's own, every value as written
    std::vector<LevelTileset> tilesets;  // ascending first gid
    std::vector<LevelLayer> layers;      // the visible tile layers, the lowest first
    // What is in the map but not drawn, so the caller can say so.
    uint32_t hidden_tile_layers = 0;
    uint32_t object_layers = 0;
    uint32_t image_layers = 0;
    std::vector<std::string> faded_layers;  // opacity or tint (theirs or a group's) not drawn
};

inline constexpr uint32_t kLevelMaxVisibleLayers = 2;
inline constexpr uint32_t kLevelMaxCells = 64;  // a side, in cells of 8 pixels

// The tileset that holds a tile id (flags cleared): the one with the greatest
// first gid not above it, or nullptr.
const LevelTileset* level_tileset_of(const Level& level, uint32_t id);

// Reads the level at path with its tilesets and images. False with the reason
// recorded (naming the layer, tileset, size or path) when it cannot be read or
// is one we do not draw.
bool read_level_file(const char* path, Level& out);

}  // namespace tw
