#include "image/chr_convert.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/files.h"
#include "settings/settings.h"
#include "support/bmp_writer.h"
#include "support/image_fixtures.h"
#include "support/temp_dir.h"

namespace tw {
using test::make_image;

namespace {

uint8_t pixel_value(int32_t x, int32_t y) {
    return static_cast<uint8_t>((x * 3 + y * 5 + x / 8) & 15);
}

// The nibble of body pixel p.
uint8_t nibble(const ResourceBuffer& b, uint32_t p) {
    uint8_t byte = b.body()[p / 2];
    return (p % 2) ? byte >> 4 : byte & 15;
}

// Checks a CHR body against the closed form for every pixel of its region.
void expect_closed_form(const ResourceBuffer& body, const BmpImage& img, uint32_t part, int32_t W,
                        int32_t uw, int32_t uh) {
    ASSERT_EQ(body.length(), 8212u);
    const int32_t H = 16384 / W;
    const int32_t across = (img.width + W - 1) / W;
    const int32_t x0 = static_cast<int32_t>(part) % across * W,
                  y0 = static_cast<int32_t>(part) / across * H;
    for (int32_t y = 0; y < H; ++y)
        for (int32_t x = 0; x < W; ++x) {
            int32_t u = (y / uh) * (W / uw) + x / uw;
            int32_t t = ((y % uh) / 8) * (uw / 8) + (x % uw) / 8;
            uint32_t p = static_cast<uint32_t>(64 * (u * (uw * uh / 64) + t) + 8 * (y % 8) + x % 8);
            int32_t ix = x0 + x, iy = y0 + y;
            uint8_t want = (ix < img.width && iy < img.height) ? pixel_value(ix, iy) : 0;
            ASSERT_EQ(nibble(body, p), want) << "unit " << uw << "x" << uh << " region " << W
                                             << " part " << part << " at " << x << "," << y;
        }
}

constexpr int32_t kUnits[][2] = {{8, 8},   {16, 16}, {32, 16}, {16, 32},
                                 {32, 32}, {64, 32}, {32, 64}, {64, 64}};

class ChrTest : public testing::Test {
  protected:
    void SetUp() override { test::reset_settings(tmp.path()); }
    ConvertJob job_for(const std::string& file) {
        ConvertJob job = make_convert_job(tmp.file(file).c_str(), false);
        return job;
    }
    test::TempDir tmp;
};

}  // namespace

TEST(GatherTiles, ClosedFormForEveryUnitAndRegion) {
    BmpImage img = make_image(256, 256, pixel_value);
    for (const auto& u : kUnits) {
        for (int32_t W : {128, 256}) {
            const uint32_t parts = W == 128 ? 4 : 4;
            for (uint32_t part = 0; part < parts; ++part)
                expect_closed_form(gather_tiles(16384, part, u[0], u[1], W, img), img, part, W,
                                   u[0], u[1]);
            EXPECT_TRUE(gather_tiles(16384, parts, u[0], u[1], W, img).empty());
        }
    }
}

TEST(GatherTiles, ImageWidthRegionsAndZeroFill) {
    // Region as wide as the image (-1): 64 wide, 256 high.
    BmpImage tall = make_image(64, 256, pixel_value);
    for (const auto& u : kUnits) {
        if (u[0] > 64) continue;
        expect_closed_form(gather_tiles(16384, 0, u[0], u[1], -1, tall), tall, 0, 64, u[0], u[1]);
    }
    // 100 x 50 in a 128 x 128 region: everything right of 99 and below 49 is 0.
    BmpImage small = make_image(100, 50, pixel_value);
    expect_closed_form(gather_tiles(16384, 0, 8, 8, 128, small), small, 0, 128, 8, 8);
    EXPECT_TRUE(gather_tiles(16384, 1, 8, 8, 128, small).empty());
}

TEST(GatherTiles, FirstByteHoldsLeftPixelLow) {
    BmpImage img = make_image(8, 8, [](int32_t x, int32_t) { return static_cast<uint8_t>(x + 1); });
    ResourceBuffer b = gather_tiles(16384, 0, 8, 8, 128, img);
    ASSERT_FALSE(b.empty());
    EXPECT_EQ(b.body()[0], 0x21);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(b.data()), 20), "PETITCOMPETC0100RCHR");
}

TEST(GatherTiles, NoBufferForNothing) {
    BmpImage none{};
    EXPECT_TRUE(gather_tiles(16384, 0, 8, 8, 128, none).empty());
    BmpImage img = make_image(8, 8, pixel_value);
    EXPECT_TRUE(gather_tiles(16384, 0, 8, 8, 32768, img).empty());  // region height 0
    EXPECT_TRUE(gather_tiles(16384, 0, 0, 8, 128, img).empty());
}

TEST(GatherTiles, BodyNeverExceedsThePart) {
    // A region 512 wide is 32 rows high: 64 x 64 units do not fit; the body stays 8192 bytes.
    BmpImage img = make_image(512, 64, pixel_value);
    ResourceBuffer b = gather_tiles(16384, 0, 64, 64, 512, img);
    EXPECT_EQ(b.length(), 8212u);
}

TEST(ChrRegion, PowerOfTwoAtOrAboveTheWidth) {
    test::TempDir tmp;
    test::reset_settings(tmp.path());
    EXPECT_EQ(chr_region_width(64), 64);
    EXPECT_EQ(chr_region_width(96), 128);
    EXPECT_EQ(chr_region_width(16384), 16384);
    EXPECT_EQ(chr_region_width(16385), 0);
    g_settings.AutoTrim = 0;
    EXPECT_EQ(chr_region_width(16385), 256);
    g_settings.WideMode = 0;
    EXPECT_EQ(chr_region_width(4), 128);
}

TEST_F(ChrTest, OnePartNamesAndFiles) {
    g_settings.AutoTrim = 0;
    g_settings.WideMode = 0;
    test::BmpFixture s;
    s.bits = 4;
    s.width = 128;
    s.height = 128;
    s.palette = test::ramp_palette(16);
    test::write_bmp_file(tmp.file("pic.bmp"), s);
    ASSERT_TRUE(convert_chr(job_for("pic.bmp")));
    auto col = test::read_ptc(tmp.file("pic_COL.ptc"));
    auto chr = test::read_ptc(tmp.file("pic_CHR.ptc"));
    EXPECT_TRUE(col.valid);
    EXPECT_EQ(col.type_code, 5u);
    EXPECT_EQ(col.name, "PIC");
    EXPECT_EQ(col.body.size(), 512u);
    EXPECT_TRUE(chr.valid);
    EXPECT_EQ(chr.type_code, 3u);
    EXPECT_EQ(chr.type_string, "PETC0100RCHR");
    EXPECT_EQ(chr.name, "PIC");
    EXPECT_EQ(chr.body.size(), 8192u);
    EXPECT_TRUE(test::file_exists(tmp.file("pic_CHR_DATA.txt")));
}

TEST_F(ChrTest, FourPartsInBothRegions) {
    test::BmpFixture s;
    s.width = 256;
    s.height = 256;
    s.palette = test::ramp_palette(256);
    for (int32_t y = 0; y < 256; ++y)
        for (int32_t x = 0; x < 256; ++x) s.pixels.push_back(pixel_value(x, y));
    test::write_bmp_file(tmp.file("big.bmp"), s);
    BmpImage img = make_image(256, 256, pixel_value);
    g_settings.AutoTrim = 0;
    g_settings.TextOut = 0;
    for (int32_t wide : {0, 1}) {
        g_settings.WideMode = wide;
        ASSERT_TRUE(convert_chr(job_for("big.bmp")));
        EXPECT_FALSE(test::file_exists(tmp.file("big_CHR.ptc")));
        for (uint32_t i = 0; i < 4; ++i) {
            auto p = test::read_ptc(tmp.file("big_CHR" + std::to_string(i) + ".ptc"));
            EXPECT_TRUE(p.valid);
            EXPECT_EQ(p.name, "BIG" + std::to_string(i));
            ResourceBuffer want = gather_tiles(16384, i, 8, 8, wide ? 256 : 128, img);
            EXPECT_EQ(p.body, std::vector<uint8_t>(want.body(), want.body() + 8192)) << i;
        }
    }
}

TEST_F(ChrTest, SeventeenPartsGetHexadecimalNames) {
    // AutoTrim: 64 wide, 16384 / 64 = 256 rows a part; 17 parts need 4352 rows.
    test::BmpFixture s;
    s.bits = 1;
    s.width = 64;
    s.height = 256 * 17;
    s.palette = {0, 0xFFFFFF};
    test::write_bmp_file(tmp.file("longname_x.bmp"), s);
    g_settings.PAL_Fix_1bit = 0;
    g_settings.TextOut = 0;
    ASSERT_TRUE(convert_chr(job_for("longname_x.bmp")));
    EXPECT_EQ(test::read_ptc(tmp.file("longname_x_CHR0.ptc")).name, "LONGNAME");
    EXPECT_TRUE(test::file_exists(tmp.file("longname_x_CHR16.ptc")));
    EXPECT_FALSE(test::file_exists(tmp.file("longname_x_CHR17.ptc")));

    test::write_bmp_file(tmp.file("ab.bmp"), s);
    ASSERT_TRUE(convert_chr(job_for("ab.bmp")));
    EXPECT_EQ(test::read_ptc(tmp.file("ab_CHR9.ptc")).name, "AB9");
    EXPECT_EQ(test::read_ptc(tmp.file("ab_CHR15.ptc")).name, "ABF");
    EXPECT_EQ(test::read_ptc(tmp.file("ab_CHR16.ptc")).name, "AB10");
}

TEST_F(ChrTest, AutoTrimWidthThatIsNoPowerOfTwo) {
    // 96 wide: regions 128 wide, 128 high, filled with 0 right of column 95.
    BmpImage img = make_image(96, 256, pixel_value);
    test::BmpFixture s;
    s.width = 96;
    s.height = 256;
    s.palette = test::ramp_palette(256);
    for (int32_t y = 0; y < 256; ++y)
        for (int32_t x = 0; x < 96; ++x) s.pixels.push_back(pixel_value(x, y));
    test::write_bmp_file(tmp.file("odd.bmp"), s);
    g_runtime.sprite_width = 16;
    g_runtime.sprite_height = 16;
    g_settings.TextOut = 0;
    ASSERT_TRUE(convert_chr(job_for("odd.bmp")));
    for (uint32_t i = 0; i < 2; ++i) {
        auto p = test::read_ptc(tmp.file("odd_CHR" + std::to_string(i) + ".ptc"));
        ASSERT_EQ(p.body.size(), 8192u);
        ResourceBuffer want = gather_tiles(16384, i, 16, 16, 128, img);
        expect_closed_form(want, img, i, 128, 16, 16);
        EXPECT_EQ(p.body, std::vector<uint8_t>(want.body(), want.body() + 8192));
    }
    EXPECT_FALSE(test::file_exists(tmp.file("odd_CHR2.ptc")));
}

TEST_F(ChrTest, RefusedWithNothingWritten) {
    test::BmpFixture s;
    s.width = 512;
    s.height = 64;
    s.palette = test::ramp_palette(256);
    test::write_bmp_file(tmp.file("wide.bmp"), s);
    // 512 wide leaves 32 rows a part: 64 x 64 sprites do not fit.
    g_runtime.sprite_width = 64;
    g_runtime.sprite_height = 64;
    EXPECT_FALSE(convert_chr(job_for("wide.bmp")));
    // 100 wide is no multiple of 16.
    s.width = 100;
    test::write_bmp_file(tmp.file("hundred.bmp"), s);
    g_runtime.sprite_width = 16;
    g_runtime.sprite_height = 16;
    EXPECT_FALSE(convert_chr(job_for("hundred.bmp")));
    EXPECT_FALSE(convert_chr(job_for("missing.bmp")));
    for (const char* f : {"wide_COL.ptc", "wide_CHR.ptc", "wide_CHR_DATA.txt", "hundred_COL.ptc",
                          "hundred_CHR_DATA.txt", "missing_COL.ptc"})
        EXPECT_FALSE(test::file_exists(tmp.file(f))) << f;
}

TEST_F(ChrTest, UnopenableDataTextWritesNothing) {
    test::BmpFixture s;
    s.palette = test::ramp_palette(256);
    test::write_bmp_file(tmp.file("p.bmp"), s);
    ASSERT_TRUE(make_directory(tmp.file("p_CHR_DATA.txt").c_str()));  // a folder in the way
    EXPECT_FALSE(convert_chr(job_for("p.bmp")));
    EXPECT_FALSE(test::file_exists(tmp.file("p_COL.ptc")));
    g_settings.TextOut = 0;
    EXPECT_TRUE(convert_chr(job_for("p.bmp")));
}

TEST_F(ChrTest, NamelessBaseUsesChr) {
    test::BmpFixture s;
    s.palette = test::ramp_palette(256);
    test::write_bmp_file(tmp.file("\x82\xA0.bmp"), s);
    ASSERT_TRUE(convert_chr(job_for("\x82\xA0.bmp")));
    EXPECT_EQ(test::read_ptc(tmp.file("\x82\xA0_CHR.ptc")).name, "CHR");
}

}  // namespace tw
