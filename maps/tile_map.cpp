#include "maps/tile_map.h"

#include <cstring>
#include <new>
#include <string_view>
#include <unordered_map>

#include "common/failure.h"
#include "resources/texts.h"

namespace tw {

PackedTile pack_tile(const uint8_t (&colours)[64], bool mirror_x, bool mirror_y) {
    PackedTile t;
    for (int r = 0; r < 8; ++r) {
        const uint8_t* row = colours + 8 * (mirror_y ? 7 - r : r);
        for (int c = 0; c < 8; c += 2) {
            uint8_t left = row[mirror_x ? 7 - c : c], right = row[mirror_x ? 6 - c : c + 1];
            t[static_cast<size_t>(4 * r + c / 2)] = static_cast<uint8_t>(left | right << 4);
        }
    }
    return t;
}

size_t TileSet::Hash::operator()(const PackedTile& t) const {
    return std::hash<std::string_view>{}(
        std::string_view(reinterpret_cast<const char*>(t.data()), t.size()));
}

TileSet::TileSet(bool flips) : flips_(flips) {
    tiles_.reserve(64);
    tiles_.push_back(PackedTile{});
}

uint32_t TileSet::place(const uint8_t (&colours)[64], uint32_t& flipped) {
    static constexpr uint32_t kOrientations[] = {0, kCellFlipH, kCellFlipV,
                                                 kCellFlipH | kCellFlipV};
    const int tries = flips_ ? 4 : 1;
    for (int k = 0; k < tries; ++k) {
        const uint32_t o = kOrientations[k];
        auto it = known_.find(pack_tile(colours, o & kCellFlipH, o & kCellFlipV));
        if (it == known_.end()) continue;
        if (o != 0) ++flipped;
        return it->second | o;
    }
    const auto value = static_cast<uint32_t>(tiles_.size());
    tiles_.push_back(pack_tile(colours, false, false));
    known_.emplace(tiles_.back(), value);
    return value;
}

std::vector<PackedTile> TileSet::take_tiles() {
    known_.clear();
    return std::move(tiles_);
}

namespace {

inline constexpr int32_t kMapMaxSide = 512;

bool map_cells(const BmpImage& image, bool flips, TileMap& map) {
    const uint32_t width = static_cast<uint32_t>(image.width);
    TileSet set(flips);
    for (int32_t cy = 0; cy < image.height / 8; ++cy) {
        for (int32_t cx = 0; cx < image.width / 8; ++cx) {
            uint8_t colours[64];
            int bank = -1;
            bool mixed = false;
            for (uint32_t r = 0; r < 8; ++r) {
                const uint8_t* src =
                    image.pixels.get() + (8 * static_cast<size_t>(cy) + r) * width + 8 * cx;
                for (uint32_t c = 0; c < 8; ++c) {
                    const uint8_t colour = src[c] & 15;
                    colours[8 * r + c] = colour;
                    if (colour == 0) continue;
                    if (bank < 0)
                        bank = src[c] >> 4;
                    else if (bank != src[c] >> 4)
                        mixed = true;
                }
            }
            if (mixed) {
                set_failure(kReasonMapMixedBanks, 8 * cx, 8 * cy);
                return false;
            }
            if (bank < 0) continue;  // blank: cell value 0

            const uint32_t value = set.place(colours, map.flipped_cells);
            // Past the limit the tiles are still counted, for the reason, but not used.
            map.cells[cy][cx] =
                static_cast<int32_t>((value & (kCellTileMask | kCellFlipH | kCellFlipV)) |
                                     uint32_t(bank) << kCellPaletteShift);
            map.banks_used = static_cast<uint16_t>(map.banks_used | 1u << bank);
        }
    }
    map.tiles = set.take_tiles();
    return true;
}

}  // namespace

bool build_tile_map(const BmpImage& image, bool flips, TileMap& map) {
    map.tiles.clear();
    std::memset(map.cells, 0, sizeof map.cells);
    map.flipped_cells = 0;
    map.banks_used = 0;
    map.width = static_cast<uint32_t>(image.width);
    map.height = static_cast<uint32_t>(image.height);
    if (image.pixel_count == 0) return false;
    if (image.width % 8 != 0 || image.height % 8 != 0 || image.width > kMapMaxSide ||
        image.height > kMapMaxSide) {
        set_failure(kReasonMapSize, image.width, image.height);
        return false;
    }
    if (!map_cells(image, flips, map)) return false;
    if (map.tiles.size() > kMapMaxTiles) {
        set_failure(kReasonMapTooManyTiles, static_cast<unsigned>(map.tiles.size()));
        return false;
    }
    return true;
}

uint32_t tile_map_chr_count(const TileMap& map) {
    return chr_part_count(map.tiles.size());
}

ResourceBuffer tile_map_chr(const TileMap& map, uint32_t part) {
    return chr_part(map.tiles, part);
}

uint32_t chr_part_count(size_t tiles) {
    return static_cast<uint32_t>((tiles + kTilesPerChr - 1) / kTilesPerChr);
}

ResourceBuffer chr_part(const std::vector<PackedTile>& tiles, uint32_t part) {
    ResourceBuffer buf(kChrKind, kTilesPerChr * kTileBytes);
    if (buf.empty()) {
        set_failure(kReasonOutOfMemory);
        return buf;
    }
    for (uint32_t i = 0; i < kTilesPerChr; ++i) {
        const size_t t = size_t{part} * kTilesPerChr + i;
        if (t >= tiles.size()) break;
        std::memcpy(buf.body() + i * kTileBytes, tiles[t].data(), kTileBytes);
    }
    return buf;
}

}  // namespace tw
