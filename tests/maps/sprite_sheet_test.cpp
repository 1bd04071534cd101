#include "maps/sprite_sheet.h"

#include <gtest/gtest.h>

#include <string>

#include "common/failure.h"
#include "common/fixed_text.h"
#include "picture/bmp_image.h"
#include "support/image_fixtures.h"
#include "support/png_writer.h"
#include "support/temp_dir.h"

namespace tw {
namespace {

ConvertJob job_in(const std::string& path, const std::string& out_dir) {
    ConvertJob job = make_convert_job(path.c_str(), false);
    copy_text(job.out_dir, sizeof job.out_dir, out_dir + "/");
    return job;
}

std::vector<uint8_t> bytes(const std::string& text) {
    return {text.begin(), text.end()};
}

PictureOptions sprites_of(uint32_t w, uint32_t h) {
    PictureOptions o;
    o.palette = PaletteRule::GENERATE;
    o.unit_width = w;
    o.unit_height = h;
    return o;
}

TEST(SpriteSheet, SpritesTakeTheirTilesInOrder) {
    test::TempDir tmp;
    test::reset_settings(tmp.path());
    // Four 16 x 16 sprites in two rows; sprite k has one pixel of colour k + 1 in
    // its tile k, row 1, column k. The rest is the key, black.
    test::PngFixture f;
    f.width = f.height = 32;
    f.pixels.assign(32 * 32, 0);
    for (uint32_t k = 0; k < 4; ++k) {
        const uint32_t x = 16 * (k % 2) + 8 * (k % 2) + k, y = 16 * (k / 2) + 8 * (k / 2) + 1;
        f.pixels[y * 32 + x] = static_cast<uint8_t>(k + 1);
    }
    f.palette = {0x000000, 0xF80000, 0x00F800, 0x0000F8, 0xF8F800};
    test::write_file(tmp.file("s.png"), test::make_png(f));
    PictureSummary summary;
    ASSERT_TRUE(convert_sprites(job_in(tmp.file("s.png"), tmp.path()), sprites_of(16, 16), summary))
        << last_failure();
    EXPECT_EQ(summary.sprites, 4u);
    EXPECT_EQ(summary.tiles, 16u);
    EXPECT_EQ(summary.bank_count, 1u);

    const test::PtcFile chr = test::read_ptc(tmp.file("s_CHR.ptc"));
    ASSERT_TRUE(chr.valid);
    ASSERT_EQ(chr.body.size(), 8192u);
    std::vector<uint8_t> want(8192, 0);
    want[32 * 0 + 4] = 0x01;  // sprite 0, tile 0, row 1, pixel 0
    want[32 * 5 + 4] = 0x20;  // sprite 1 (tiles 4-7), its tile 1, pixel 1: the high nibble
    want[32 * 10 + 5] = 0x03;
    want[32 * 15 + 5] = 0x40;
    EXPECT_EQ(chr.body, want);

    const test::PtcFile col = test::read_ptc(tmp.file("s_COL.ptc"));
    ASSERT_TRUE(col.valid);
    const uint16_t colours[] = {0,
                                rgb_to_col(0xF8, 0, 0),
                                rgb_to_col(0, 0xF8, 0),
                                rgb_to_col(0, 0, 0xF8),
                                rgb_to_col(0xF8, 0xF8, 0),
                                0};
    for (uint32_t i = 0; i < 6; ++i)
        EXPECT_EQ(col.body[2 * i] | col.body[2 * i + 1] << 8, colours[i]) << i;
    EXPECT_EQ(test::read_file(tmp.file("s_PAL_DATA.txt")),
              bytes("' SPRITE PALETTES\rDATA 0,0,0,0\r"));
}

TEST(SpriteSheet, PaletteNumbersAndSheetSize) {
    test::TempDir tmp;
    test::reset_settings(tmp.path());
    // 17 sprites of 16 x 16: the even ones in colours 1-15, the odd ones 16-30.
    test::PngFixture f;
    f.width = 16 * 17;
    f.height = 16;
    for (uint32_t y = 0; y < 16; ++y)
        for (uint32_t x = 0; x < f.width; ++x)
            f.pixels.push_back(static_cast<uint8_t>(
                x == 0 && y == 0 ? 0 : 1 + (x / 16 % 2) * 15 + (y * 16 + x % 16) % 15));
    for (uint32_t i = 0; i < 31; ++i) f.palette.push_back(0x080400 * i + 0x10);
    test::write_file(tmp.file("many.png"), test::make_png(f));
    PictureSummary summary;
    ASSERT_TRUE(
        convert_sprites(job_in(tmp.file("many.png"), tmp.path()), sprites_of(16, 16), summary))
        << last_failure();
    EXPECT_EQ(summary.bank_count, 2u);
    const std::string text = "' SPRITE PALETTES\rDATA 0,1,0,1,0,1,0,1,0,1,0,1,0,1,0,1\rDATA 0\r";
    EXPECT_EQ(test::read_file(tmp.file("many_PAL_DATA.txt")), bytes(text));

    // Sprites fill at most 2048 tiles.
    Picture big;
    big.width = 640;
    big.height = 256;
    big.pixels.assign(640 * 256, Rgba{1, 2, 3, 255});
    SpriteSheet sheet;
    clear_failure();
    EXPECT_FALSE(build_sprite_sheet(big, sprites_of(32, 32), sheet));
    EXPECT_NE(std::string(last_failure()).find("640x256"), std::string::npos) << last_failure();
    big.width = 512;
    big.pixels.resize(512 * 256);
    EXPECT_TRUE(build_sprite_sheet(big, sprites_of(32, 32), sheet)) << last_failure();
    EXPECT_EQ(sheet.tiles.size(), 2048u);
}

}  // namespace
}  // namespace tw
