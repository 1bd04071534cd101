#pragma once
// A BG screen drawn as a 512 x 512 picture with its character banks and palette.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "text/screen_cells.h"

namespace tw {

inline constexpr uint32_t kScreenPixels = 512;

struct ScreenSources {
    ScreenCells cells{};                        // [y][x]
    std::array<std::vector<uint8_t>, 4> banks;  // CHR bodies of banks 0-3; empty when not given
    uint16_t colours[256] = {};                 // the COL body
};

struct Crop {
    uint32_t x = 0, y = 0, width = kScreenPixels, height = kScreenPixels;
};

// Draws the crop of the screen: a pixel is palette << 4 | colour where the
// tile's colour is not 0, else 0. False with the reason recorded, nothing
// drawn, when a cell of the crop names a tile of a bank that was not given.
bool render_screen(const ScreenSources& sources, const Crop& crop, std::vector<uint8_t>& pixels);

}  // namespace tw
