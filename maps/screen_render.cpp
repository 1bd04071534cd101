#include "maps/screen_render.h"

#include <new>
#include <string>

#include "common/failure.h"
#include "image/resource_kinds.h"
#include "maps/tile_map.h"
#include "resources/texts.h"

namespace tw {

bool render_screen(const ScreenSources& sources, const Crop& crop, std::vector<uint8_t>& pixels) {
    // The cells drawn decide which banks are needed: a crop needs only its own.
    unsigned missing = 0;
    for (uint32_t cy = crop.y / 8; cy <= (crop.y + crop.height - 1) / 8; ++cy)
        for (uint32_t cx = crop.x / 8; cx <= (crop.x + crop.width - 1) / 8; ++cx) {
            const uint32_t bank =
                cell_tile(static_cast<uint32_t>(sources.cells[cy][cx])) / kTilesPerChr;
            if (sources.banks[bank].size() != kChrKind.body_length) missing |= 1u << bank;
        }
    if (missing != 0) {
        std::string names;
        for (unsigned b = 0; b < 4; ++b)
            if (missing & 1u << b) {
                if (!names.empty()) names += ", ";
                names += std::to_string(b);
            }
        set_failure(kReasonRenderMissingBanks, names.c_str());
        return false;
    }
    pixels.assign(size_t{crop.width} * crop.height, 0);
    for (uint32_t py = 0; py < crop.height; ++py) {
        const uint32_t y = crop.y + py;
        uint8_t* out = pixels.data() + size_t{py} * crop.width;
        for (uint32_t px = 0; px < crop.width; ++px) {
            const uint32_t x = crop.x + px;
            const auto cell = static_cast<uint32_t>(sources.cells[y / 8][x / 8]);
            const uint32_t tile = cell_tile(cell);
            const uint32_t r = cell_flip_v(cell) ? 7 - y % 8 : y % 8;
            const uint32_t c = cell_flip_h(cell) ? 7 - x % 8 : x % 8;
            const uint8_t* t =
                sources.banks[tile / kTilesPerChr].data() + (tile % kTilesPerChr) * kTileBytes;
            const uint8_t byte = t[4 * r + c / 2];
            const uint8_t colour = (c & 1) ? byte >> 4 : byte & 15;
            out[px] = colour == 0 ? 0 : static_cast<uint8_t>(cell_palette(cell) << 4 | colour);
        }
    }
    return true;
}

}  // namespace tw
