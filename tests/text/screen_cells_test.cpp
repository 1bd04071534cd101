#include "text/screen_cells.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace tw {

// Random screens go to a SCR body and a raw screen and come back cell for cell;
// the body holds each cell little-endian at its block's unit, the raw file high
// byte first in row order.
TEST(ScreenCells, BodyAndRawScreenBothWays) {
    std::mt19937 rng(7);
    for (int round = 0; round < 20; ++round) {
        ScreenCells cells;
        for (auto& row : cells)
            for (int32_t& c : row) c = static_cast<int32_t>(rng() & 0xFFFF);
        std::vector<uint8_t> body(kScrUnitBytes * kScreenCellCount), raw(kRawScreenBytes);
        scr_body_from_cells(cells, body.data());
        raw_screen_from_cells(cells, raw.data());
        const uint32_t x = rng() % 64, y = rng() % 64;
        const uint32_t block = (y >= 32 ? 2 : 0) + (x >= 32 ? 1 : 0);
        const size_t at = 2 * (1024 * block + 32 * (y % 32) + x % 32);
        EXPECT_EQ(body[at] | body[at + 1] << 8, cells[y][x]);
        EXPECT_EQ(raw[2 * (64 * y + x)] << 8 | raw[2 * (64 * y + x) + 1], cells[y][x]);
        ScreenCells from_body, from_raw;
        cells_from_scr_body(body.data(), from_body);
        cells_from_raw_screen(raw.data(), from_raw);
        for (uint32_t cy = 0; cy < 64; ++cy)
            for (uint32_t cx = 0; cx < 64; ++cx) {
                ASSERT_EQ(from_body[cy][cx], cells[cy][cx]);
                ASSERT_EQ(from_raw[cy][cx], cells[cy][cx]);
            }
    }
    const uint32_t cell = 0x4803;  // character 3, palette 4, vertical flip
    EXPECT_EQ(cell_tile(cell), 3u);
    EXPECT_EQ(cell_palette(cell), 4u);
    EXPECT_FALSE(cell_flip_h(cell));
    EXPECT_TRUE(cell_flip_v(cell));
}

}  // namespace tw
