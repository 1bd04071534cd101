#include "maps/tile_map.h"

#include <cstring>
#include <new>
#include <string_view>
#include <unordered_map>

#include "common/failure.h"
#include "resources/texts.h"

namespace tw {
namespace {

inline constexpr uint32_t kMapMaxTiles = 1024;

}  // namespace
namespace {

inline constexpr int32_t kMapMaxSide = 512;

}  // namespace
namespace {

struct TileHash {
    size_t operator()(const PackedTile& t) const {
        return std::hash<std::string_view>{}(
            std::string_view(reinterpret_cast<const char*>(t.data()), t.size()));
    }
};

// The 64 colours of a cell, read mirrored as asked, in the CHR tile layout.
PackedTile pack(const uint8_t (&colours)[64], bool mirror_x, bool mirror_y) {
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

bool map_cells(const BmpImage& image, bool flips, TileMap& map) {
    const uint32_t width = static_cast<uint32_t>(image.width);
    std::unordered_map<PackedTile, uint32_t, TileHash> known;
    known.reserve(static_cast<size_t>(image.width / 8) * static_cast<size_t>(image.height / 8));
    map.tiles.reserve(64);
    map.tiles.push_back(PackedTile{});
    static constexpr uint32_t kOrientations[] = {0, kCellFlipH, kCellFlipV,
                                                 kCellFlipH | kCellFlipV};
    const int tries = flips ? 4 : 1;

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

            uint32_t value = 0;
            bool found = false;
            for (int k = 0; k < tries && !found; ++k) {
                const uint32_t o = kOrientations[k];
                auto it = known.find(pack(colours, o & kCellFlipH, o & kCellFlipV));
                if (it == known.end()) continue;
                value = it->second | o;
                found = true;
                if (o != 0) ++map.flipped_cells;
            }
            if (!found) {
                value = static_cast<uint32_t>(map.tiles.size());
                map.tiles.push_back(pack(colours, false, false));
                known.emplace(map.tiles.back(), value);
            }
            // Past the limit the tiles are still counted, for the reason, but not used.
            map.cells[cy][cx] =
                static_cast<int32_t>((value & (kCellTileMask | kCellFlipH | kCellFlipV)) |
                                     uint32_t(bank) << kCellPaletteShift);
            map.banks_used = static_cast<uint16_t>(map.banks_used | 1u << bank);
        }
    }
    return true;
}

}  // namespace

bool build_tile_map(const BmpImage& image, bool flips, TileMap& map) {
    map.tiles.clear();
    std::memset(map.cells, 0, sizeof map.cells);
    map.flipped_cells = 0;
    map.banks_used = 0;
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
    return static_cast<uint32_t>((map.tiles.size() + kTilesPerChr - 1) / kTilesPerChr);
}

ResourceBuffer tile_map_chr(const TileMap& map, uint32_t part) {
    ResourceBuffer buf(kChrKind, kTilesPerChr * kTileBytes);
    if (buf.empty()) {
        set_failure(kReasonOutOfMemory);
        return buf;
    }
    for (uint32_t i = 0; i < kTilesPerChr; ++i) {
        const size_t t = size_t{part} * kTilesPerChr + i;
        if (t >= map.tiles.size()) break;
        std::memcpy(buf.body() + i * kTileBytes, map.tiles[t].data(), kTileBytes);
    }
    return buf;
}

}  // namespace tw
