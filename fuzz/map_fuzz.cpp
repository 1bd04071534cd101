// Tile maps of arbitrary indexed pictures, drawn back: every pixel whose colour
// is not 0 must come back as it was, every other pixel as 0.

#include <cstdint>
#include <cstdlib>
#include <memory>

#include "maps/screen_render.h"
#include "maps/tile_map.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 3) return 0;
    // Two bytes pick the size in cells (up to 3 x 3: small pictures keep the runs
    // fast, and the tile limit is tested on its own), one the flips; the rest are
    // the pixels, repeated.
    const int32_t width = 8 * (data[0] % 3 + 1), height = 8 * (data[1] % 3 + 1);
    const bool flips = data[2] & 1;
    data += 3;
    size -= 3;
    tw::BmpImage img{};
    img.width = width;
    img.height = height;
    img.pixel_count = static_cast<uint32_t>(width * height);
    img.pixels.reset(new uint8_t[img.pixel_count]);
    for (uint32_t i = 0; i < img.pixel_count; ++i) img.pixels[i] = size ? data[i % size] : 0;

    // Kept from run to run: fresh 16 KiB records each time cost more than the map itself.
    static auto* map = new tw::TileMap;
    static auto* sources = new tw::ScreenSources;
    static std::vector<uint8_t> pixels;
    if (!tw::build_tile_map(img, flips, *map)) return 0;
    for (auto& bank : sources->banks) bank.clear();
    std::copy(&map->cells[0][0], &map->cells[0][0] + 4096, &sources->cells[0][0]);
    for (uint32_t b = 0; b < tw::tile_map_chr_count(*map); ++b) {
        tw::ResourceBuffer chr = tw::tile_map_chr(*map, b);
        sources->banks[b].assign(chr.body(), chr.body() + chr.body_length());
    }
    const tw::Crop crop{0, 0, static_cast<uint32_t>(width), static_cast<uint32_t>(height)};
    if (!tw::render_screen(*sources, crop, pixels)) abort();
    for (uint32_t i = 0; i < img.pixel_count; ++i) {
        const uint8_t p = img.pixels[i];
        if (pixels[i] != ((p & 15) ? p : 0)) abort();
    }
    return 0;
}
