#pragma once
// Small Tiled levels for tests: indexed PNG tilesets, TMX text in every data
// encoding, and Tiled's own tools (POSIX only) to draw and convert them.

#include <cstdint>
#include <string>
#include <vector>

#include "picture/picture.h"

namespace tw::test {

struct TilesetSpec {
    std::string name = "tiles";
    uint32_t tile = 8;  // square tiles
    uint32_t columns = 4;
    uint32_t rows = 2;
    uint32_t margin = 0;
    uint32_t spacing = 0;
    bool trans = false;            // index 0's colour is the transparent colour
    bool external = false;         // in NAME.tsx rather than embedded
    uint32_t seed = 1;             // of the pixels
    std::string image_source;      // default NAME.png
    std::string extra_attributes;  // put in the tileset element as they are
};

struct LayerSpec {
    std::string name = "ground";
    std::vector<uint32_t> gids;
    std::string encoding = "csv";  // csv, base64, or "" for <tile> elements
    std::string compression;       // "", zlib, gzip, zstd
    bool visible = true;
    int32_t offset_x = 0;
    int32_t offset_y = 0;
    std::string group;  // the name of a group around it, "" for none
    std::string extra_attributes;
};

LayerSpec layer(const std::string& name, std::vector<uint32_t> gids,
                const std::string& encoding = "csv", const std::string& compression = "");

struct LevelPlan {
    uint32_t width = 4;
    uint32_t height = 3;
    uint32_t tile = 8;
    std::string map_attributes;  // more attributes of the map element
    std::vector<TilesetSpec> tilesets{TilesetSpec{}};
    std::vector<LayerSpec> layers;
};

// Writes the tileset images (and .tsx files) into dir and returns the TMX text.
std::string write_level_files(const std::string& dir, const LevelPlan& level);

// Layer data as the map holds it.
std::string encode_layer(const std::vector<uint32_t>& gids, const std::string& encoding,
                         const std::string& compression, uint32_t width);

// Tiled's tools, run with the offscreen Qt platform; false when absent.
bool tiled_tools_present();
// tmxrasterizer's drawing of one layer of the map, as RGBA; empty on failure.
Picture rasterize_layer(const std::string& tmx, const std::string& layer,
                        const std::vector<std::string>& all_layers);
// tiled --export-map json; false when it failed.
bool export_json(const std::string& tmx, const std::string& json);

}  // namespace tw::test
