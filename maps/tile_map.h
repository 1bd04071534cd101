#pragma once
// A picture as a BG map: every 8 x 8 cell becomes a tile number, its flips and
// its palette, and each distinct tile is stored once.

#include <array>
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "image/ptc_container.h"
#include "picture/bmp_image.h"
#include "text/screen_cells.h"

namespace tw {

inline constexpr uint32_t kTilesPerChr = 256;
inline constexpr uint32_t kTileBytes = 32;  // 8 rows of 4 bytes, the left pixel in the low nibble

using PackedTile = std::array<uint8_t, kTileBytes>;

// The 64 colour numbers of a cell (rows top to bottom), read mirrored as asked,
// in the CHR tile layout.
PackedTile pack_tile(const uint8_t (&colours)[64], bool mirror_x, bool mirror_y);

// Stores each distinct tile once: a cell's tile is looked up as it is, then
// mirrored left to right, top to bottom and both (unless flips are off), and
// stored when none of them is known. One set can serve several screens.
class TileSet {
  public:
    explicit TileSet(bool flips);

    // The tile number and flip bits of a cell value; `flipped` counts cells
    // that use a flip. Past any limit tiles are still stored, so that the
    // caller can say how many were needed.
    uint32_t place(const uint8_t (&colours)[64], uint32_t& flipped);
    const std::vector<PackedTile>& tiles() const { return tiles_; }
    std::vector<PackedTile> take_tiles();

  private:
    struct Hash {
        size_t operator()(const PackedTile& t) const;
    };
    bool flips_;
    std::vector<PackedTile> tiles_;  // tile 0 is the blank tile
    std::unordered_map<PackedTile, uint32_t, Hash> known_;
};

struct TileMap {
    std::vector<PackedTile> tiles;   // tile 0 is the blank tile
    ScreenCells cells;               // [y][x]; cells outside the picture are 0
    uint32_t flipped_cells = 0;      // cells that use a flip
    uint16_t banks_used = 0;         // bit b: some cell uses palette bank b
    uint32_t width = 0, height = 0;  // of the picture
};

// Cuts image (8-bit indices: colour p & 15, palette bank p >> 4) into cells and
// de-duplicates their tiles, trying flips unless `flips` is false. False with
// the reason recorded when the size is not a multiple of 8 up to 512, a cell
// mixes palette banks, or more than 1024 tiles are needed.
bool build_tile_map(const BmpImage& image, bool flips, TileMap& map);

// The tile limit of a BG screen's character banks.
inline constexpr uint32_t kMapMaxTiles = 1024;

// How many CHR resources the tiles fill (256 tiles each).
uint32_t tile_map_chr_count(const TileMap& map);
// CHR resource `part`: tiles 256 * part on, blank tiles after the last one.
ResourceBuffer tile_map_chr(const TileMap& map, uint32_t part);
// The same over any tiles: tiles 256 * part on.
uint32_t chr_part_count(size_t tiles);
ResourceBuffer chr_part(const std::vector<PackedTile>& tiles, uint32_t part);

}  // namespace tw
