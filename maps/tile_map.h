#pragma once
// A picture as a BG map: every 8 x 8 cell becomes a tile number, its flips and
// its palette, and each distinct tile is stored once.

#include <array>
#include <cstdint>
#include <vector>

#include "image/bmp_image.h"
#include "image/ptc_container.h"
#include "text/screen_cells.h"

namespace tw {

inline constexpr uint32_t kTilesPerChr = 256;
inline constexpr uint32_t kTileBytes = 32;  // 8 rows of 4 bytes, the left pixel in the low nibble

using PackedTile = std::array<uint8_t, kTileBytes>;

struct TileMap {
    std::vector<PackedTile> tiles;  // tile 0 is the blank tile
    ScreenCells cells;              // [y][x]; cells outside the picture are 0
    uint32_t flipped_cells = 0;     // cells that use a flip
    uint16_t banks_used = 0;        // bit b: some cell uses palette bank b
};

// Cuts image (8-bit indices: colour p & 15, palette bank p >> 4) into cells and
// de-duplicates their tiles, trying flips unless `flips` is false. False with
// the reason recorded when the size is not a multiple of 8 up to 512, a cell
// mixes palette banks, or more than 1024 tiles are needed.
bool build_tile_map(const BmpImage& image, bool flips, TileMap& map);

// How many CHR resources the tiles fill (256 tiles each).
uint32_t tile_map_chr_count(const TileMap& map);
// CHR resource `part`: tiles 256 * part on, blank tiles after the last one.
ResourceBuffer tile_map_chr(const TileMap& map, uint32_t part);

}  // namespace tw
