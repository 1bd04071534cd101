#include "maps/tile_map.h"

#include <gtest/gtest.h>

#include <string>

#include "common/failure.h"
#include "maps/map_convert.h"
#include "resources/texts.h"
#include "support/bmp_writer.h"
#include "support/image_fixtures.h"
#include "support/temp_dir.h"

namespace tw {
namespace {

constexpr uint32_t H = kCellFlipH, V = kCellFlipV;

// An asymmetric tile: a bar along the top, a dot below its left end.
uint8_t asymmetric(int32_t x, int32_t y) {
    return (y == 0 && x < 5) ? 3 : (y == 1 && x == 0) ? 9 : 0;
}

// Cell k of the row holds the tile mirrored as orientation[k] says, in palette `bank`.
BmpImage row_of(const std::vector<uint32_t>& orientation, uint8_t (*tile)(int32_t, int32_t),
                int bank) {
    return test::make_image(
        static_cast<int32_t>(8 * orientation.size()), 8, [&](int32_t x, int32_t y) {
            const uint32_t o = orientation[static_cast<size_t>(x / 8)];
            const int32_t tx = (o & H) ? 7 - x % 8 : x % 8, ty = (o & V) ? 7 - y : y;
            const uint8_t c = tile(tx, ty);
            return static_cast<uint8_t>(c ? c | bank << 4 : 0);
        });
}

TEST(TileMap, FlipsFindStoredTiles) {
    struct Case {
        const char* name;
        uint8_t (*tile)(int32_t, int32_t);
        std::vector<uint32_t> orientation;
        bool flips;
        std::vector<uint32_t> cells;
        size_t tiles;
        uint32_t flipped;
    } cases[] = {
        {"asymmetric, four ways",
         asymmetric,
         {0, H, V, H | V},
         true,
         {1, 1 | H, 1 | V, 1 | H | V},
         2,
         3},
        {"asymmetric, no flips", asymmetric, {0, H, V, H | V}, false, {1, 2, 3, 4}, 5, 0},
        // Symmetric left to right: its vertical mirror needs the vertical flip alone.
        {"symmetric",
         [](int32_t x, int32_t y) -> uint8_t { return y < 2 && x > 1 && x < 6 ? 4 : 0; },
         {0, H, V},
         true,
         {1, 1, 1 | V},
         2,
         1},
        {"blank cells", [](int32_t, int32_t) -> uint8_t { return 0; }, {0, 0}, true, {0, 0}, 1, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TileMap map;
        ASSERT_TRUE(build_tile_map(row_of(c.orientation, c.tile, 5), c.flips, map))
            << last_failure();
        EXPECT_EQ(map.tiles.size(), c.tiles);
        EXPECT_EQ(map.flipped_cells, c.flipped);
        for (size_t k = 0; k < c.cells.size(); ++k) {
            const uint32_t want = c.cells[k] ? c.cells[k] | 5u << 12 : 0;
            EXPECT_EQ(static_cast<uint32_t>(map.cells[0][k]), want) << "cell " << k;
        }
        EXPECT_EQ(map.cells[1][0], 0);
    }
}

TEST(TileMap, TileLayoutIsTheCharacterLayout) {
    TileMap map;
    ASSERT_TRUE(build_tile_map(row_of({0}, asymmetric, 1), true, map));
    ResourceBuffer chr = tile_map_chr(map, 0);
    ASSERT_EQ(chr.body_length(), 8192u);
    const uint8_t want[8] = {0x33, 0x33, 0x03, 0x00, 0x09, 0x00, 0x00, 0x00};
    for (int i = 0; i < 32; ++i) EXPECT_EQ(chr.body()[32 + i], i < 8 ? want[i] : 0) << i;
    for (uint32_t i = 64; i < 8192; ++i) ASSERT_EQ(chr.body()[i], 0) << i;
}

TEST(TileMap, BanksAndSizes) {
    struct Case {
        const char* name;
        int32_t width, height;
        uint8_t (*pixel)(int32_t, int32_t);
        const Text* reason;  // nullptr: maps
    } cases[] = {
        {"mixed banks", 64, 32,
         [](int32_t x, int32_t y) -> uint8_t {
             return x == 41 && y == 25 ? 0x23 : x / 8 == 5 && y / 8 == 3 ? 0x12 : 0;
         },
         &kReasonMapMixedBanks},
        // Colour 0 is transparent in every bank: its bank does not count.
        {"colour 0 of another bank", 16, 8,
         [](int32_t x, int32_t) -> uint8_t { return x == 1 ? 0x35 : 0x70; }, nullptr},
        {"width not a multiple of 8", 12, 8, [](int32_t, int32_t) -> uint8_t { return 1; },
         &kReasonMapSize},
        {"wider than 512", 520, 8, [](int32_t, int32_t) -> uint8_t { return 1; }, &kReasonMapSize},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        clear_failure();
        TileMap map;
        const bool ok = build_tile_map(test::make_image(c.width, c.height, c.pixel), true, map);
        EXPECT_EQ(ok, c.reason == nullptr);
        EXPECT_EQ(last_failure_reason(), c.reason) << last_failure();
    }
    TileMap map;
    ASSERT_TRUE(build_tile_map(test::make_image(16, 8, cases[1].pixel), true, map));
    EXPECT_EQ(map.banks_used, 1u << 3);
    EXPECT_EQ(map.cells[0][0], 1 | 3 << 12);
    EXPECT_EQ(map.cells[0][1], 0);
}

// A 512 x 512 picture of `distinct` different tiles, none a mirror of another, the rest blank.
void write_tiles_picture(const std::string& path, uint32_t distinct) {
    test::BmpFixture f;
    f.width = f.height = 512;
    f.palette = test::ramp_palette(256);
    f.pixels.assign(512 * 512, 0);
    for (uint32_t k = 0; k < distinct; ++k) {
        const uint32_t x0 = k % 64 * 8, y0 = k / 64 * 8;
        f.pixels[y0 * 512 + x0] = 1;  // the corner mark tells a mirror apart
        for (uint32_t b = 0; b < 12; ++b)
            f.pixels[(y0 + 2 + b / 6) * 512 + x0 + 1 + b % 6] = (k >> b & 1) ? 2 : 3;
    }
    test::write_bmp_file(path, f);
}

TEST(TileMap, AtMost1024TilesWithTheBlankOne) {
    test::TempDir tmp;
    test::reset_settings(tmp.path());
    for (uint32_t distinct : {1023u, 1024u}) {
        SCOPED_TRACE(distinct);
        const std::string name = std::string("t").append(std::to_string(distinct));
        write_tiles_picture(tmp.file(name + ".bmp"), distinct);
        ConvertJob job = make_convert_job(tmp.file(name + ".bmp").c_str(), false);
        TileMap map;
        clear_failure();
        const bool ok = convert_map(job, true, map);
        EXPECT_EQ(ok, distinct == 1023u) << last_failure();
        for (const char* out : {"_COL.ptc", "_CHR0.ptc", "_CHR3.ptc", "_SCR.ptc"})
            EXPECT_EQ(test::file_exists(tmp.file(name + out)), ok) << out;
        EXPECT_FALSE(test::file_exists(tmp.file(name + "_CHR4.ptc")));
        EXPECT_EQ(last_failure_reason(), ok ? nullptr : &kReasonMapTooManyTiles) << last_failure();
    }
    // The last part ends with tile 1023, the 1023rd picture tile.
    test::PtcFile last = test::read_ptc(tmp.file("t1023_CHR3.ptc"));
    ASSERT_TRUE(last.valid);
    EXPECT_EQ(last.name, "T10233");
    EXPECT_EQ(last.body[255 * 32], 0x01);
    // Row 2 of tile 1022: blank, bit 0 (0: colour 3), bits 1 and 2 (1: colour 2).
    EXPECT_EQ(last.body[255 * 32 + 8], 0x30);
    EXPECT_EQ(last.body[255 * 32 + 9], 0x22);
    EXPECT_EQ(test::read_ptc(tmp.file("t1023_SCR.ptc")).name, "T1023");
}

}  // namespace
}  // namespace tw
