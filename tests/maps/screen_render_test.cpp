#include "maps/screen_render.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>

#include "common/failure.h"
#include "maps/tile_map.h"
#include "resources/texts.h"
#include "support/image_fixtures.h"

namespace tw {
namespace {

// The sources of a map: its characters in banks, the picture's palette.
void sources_of(const TileMap& map, const BmpImage& image, ScreenSources& s) {
    std::memcpy(s.cells, map.cells, sizeof s.cells);
    for (uint32_t b = 0; b < tile_map_chr_count(map); ++b) {
        ResourceBuffer chr = tile_map_chr(map, b);
        s.banks[b].assign(chr.body(), chr.body() + chr.body_length());
    }
    for (int i = 0; i < 256; ++i)
        s.colours[i] = static_cast<uint16_t>(image.col[20 + 2 * i] | image.col[21 + 2 * i] << 8);
}

// A picture of 340 random tiles: 300 cells of their own, the rest repeating 40
// tiles mirrored at random; each cell in a random palette.
BmpImage busy_picture() {
    std::mt19937 rng(11);
    std::vector<uint8_t> tiles(340 * 64);
    for (auto& v : tiles) v = static_cast<uint8_t>(rng() % 5 == 0 ? 0 : rng() % 16);
    std::vector<uint32_t> choice(64 * 48);
    for (auto& c : choice) c = static_cast<uint32_t>(rng());
    return test::make_image(512, 384, [&](int32_t x, int32_t y) {
        const uint32_t cell = static_cast<uint32_t>(y / 8 * 64 + x / 8), c = choice[cell];
        const uint32_t tx = (c & 1) ? 7 - x % 8 : x % 8, ty = (c & 2) ? 7 - y % 8 : y % 8;
        const uint32_t tile = cell < 300 ? cell : 300 + (c >> 8) % 40;
        const uint8_t colour = tiles[tile * 64 + ty * 8 + tx];
        return static_cast<uint8_t>(colour ? colour | (c >> 4) % 16 << 4 : 0);
    });
}

TEST(ScreenRender, RenderAfterMapGivesThePictureBack) {
    BmpImage image = busy_picture();
    TileMap map;
    ASSERT_TRUE(build_tile_map(image, true, map)) << last_failure();
    ASSERT_GT(map.tiles.size(), 256u);  // two banks
    ASSERT_GT(map.flipped_cells, 0u);
    auto s = std::make_unique<ScreenSources>();
    sources_of(map, image, *s);
    std::vector<uint8_t> pixels;
    ASSERT_TRUE(render_screen(*s, Crop{}, pixels)) << last_failure();
    for (uint32_t y = 0; y < 512; ++y)
        for (uint32_t x = 0; x < 512; ++x) {
            const uint8_t p = y < 384 ? image.pixels[y * 512 + x] : 0;
            ASSERT_EQ(pixels[y * 512 + x], (p & 15) ? p : 0) << x << "," << y;
        }
    // A crop is the same pixels.
    std::vector<uint8_t> part;
    ASSERT_TRUE(render_screen(*s, Crop{24, 16, 256, 192}, part));
    ASSERT_EQ(part.size(), 256u * 192u);
    for (uint32_t y = 0; y < 192; ++y)
        ASSERT_EQ(std::memcmp(&part[y * 256], &pixels[(y + 16) * 512 + 24], 256), 0) << y;
}

TEST(ScreenRender, MissingBanksFailNamingThem) {
    auto s = std::make_unique<ScreenSources>();
    s->banks[0].assign(kChrKind.body_length, 0x11);
    s->cells[63][63] = 300;  // bank 1
    s->cells[0][5] = 0x3FF;  // bank 3
    std::vector<uint8_t> pixels;
    clear_failure();
    EXPECT_FALSE(render_screen(*s, Crop{}, pixels));
    EXPECT_EQ(last_failure_reason(), &kReasonRenderMissingBanks);
    // The text names the missing banks.
    EXPECT_NE(std::string(last_failure()).find("1, 3"), std::string::npos) << last_failure();
    EXPECT_TRUE(pixels.empty());
    // A crop needs only the banks of its own cells.
    EXPECT_TRUE(render_screen(*s, Crop{0, 0, 40, 504}, pixels)) << last_failure();
    EXPECT_EQ(pixels[0], 0x01);
}

}  // namespace
}  // namespace tw
