#pragma once
// A BG screen's cells and the two byte layouts they are stored in, for both
// directions: the SCR body (four 32 x 32 blocks, little-endian) and the raw
// screen file (row by row, high byte first).

#include <cstdint>

#include "common/little_endian.h"

namespace tw {

inline constexpr uint32_t kScreenSide = 64;  // cells across and down
inline constexpr uint32_t kScreenCellCount = kScreenSide * kScreenSide;

// Built as 32-bit numbers; only the low 16 bits of a cell are stored.
using ScreenCells = int32_t[kScreenSide][kScreenSide];  // [y][x]

// The bits of a cell: character 0-9, horizontal flip 10, vertical flip 11,
// palette 12-15.
inline constexpr uint32_t kCellTileMask = 0x3FF;
inline constexpr uint32_t kCellTileCount = kCellTileMask + 1;
inline constexpr uint32_t kCellFlipH = 1u << 10;
inline constexpr uint32_t kCellFlipV = 1u << 11;
inline constexpr uint32_t kCellPaletteShift = 12;
inline constexpr uint32_t kCellPaletteMax = 15;

inline constexpr uint32_t cell_tile(uint32_t cell) {
    return cell & kCellTileMask;
}
inline constexpr uint32_t cell_palette(uint32_t cell) {
    return (cell >> kCellPaletteShift) & kCellPaletteMax;
}
inline constexpr bool cell_flip_h(uint32_t cell) {
    return (cell & kCellFlipH) != 0;
}
inline constexpr bool cell_flip_v(uint32_t cell) {
    return (cell & kCellFlipV) != 0;
}

// The SCR body: block 0 holds rows 0-31 and columns 0-31, block 1 the columns
// 32-63 beside it, blocks 2 and 3 the rows 32-63 below; each block row by row.
// The unit index in the body of cell (x, y):
inline uint32_t scr_unit_index(uint32_t x, uint32_t y) {
    return (x % 32) + 32 * y + (x >= 32 ? 1024 : 0) + (y >= 32 ? 1024 : 0);
}
inline constexpr uint32_t kScrUnitBytes = 2;

// body: kScreenCellCount units of 2 bytes.
inline void scr_body_from_cells(const ScreenCells& cells, uint8_t* body) {
    for (uint32_t y = 0; y < kScreenSide; ++y)
        for (uint32_t x = 0; x < kScreenSide; ++x)
            put_le16(body + kScrUnitBytes * scr_unit_index(x, y),
                     static_cast<uint32_t>(cells[y][x]));
}
inline void cells_from_scr_body(const uint8_t* body, ScreenCells& cells) {
    for (uint32_t y = 0; y < kScreenSide; ++y)
        for (uint32_t x = 0; x < kScreenSide; ++x)
            cells[y][x] = get_le16(body + kScrUnitBytes * scr_unit_index(x, y));
}

// The raw screen file: the cells row by row, each high byte first.
inline constexpr uint32_t kRawScreenBytes = kScrUnitBytes * kScreenCellCount;
inline void raw_screen_from_cells(const ScreenCells& cells, uint8_t* raw) {
    for (uint32_t i = 0; i < kScreenCellCount; ++i) {
        const auto v = static_cast<uint32_t>(cells[i / kScreenSide][i % kScreenSide]);
        raw[2 * i] = static_cast<uint8_t>(v >> 8);
        raw[2 * i + 1] = static_cast<uint8_t>(v);
    }
}
inline void cells_from_raw_screen(const uint8_t* raw, ScreenCells& cells) {
    for (uint32_t i = 0; i < kScreenCellCount; ++i)
        cells[i / kScreenSide][i % kScreenSide] = raw[2 * i] << 8 | raw[2 * i + 1];
}

}  // namespace tw
