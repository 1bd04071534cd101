#include "image/grp_convert.h"

#include <gtest/gtest.h>

#include <string>

#include "image/chr_convert.h"
#include "settings/settings.h"
#include "support/bmp_writer.h"
#include "support/image_fixtures.h"
#include "support/temp_dir.h"

namespace tw {

namespace {

uint32_t grp_offset(int32_t x, int32_t y) {
    return static_cast<uint32_t>(4096 * (4 * (y / 64) + x / 64) +
                                 64 * (8 * ((y % 64) / 8) + (x % 64) / 8) + 8 * (y % 8) + x % 8);
}

uint8_t value(int32_t x, int32_t y) {
    return static_cast<uint8_t>(x * 7 + y * 13 + 1);
}

class GrpTest : public testing::Test {
  protected:
    void SetUp() override {
        test::reset_settings(tmp.path());
        g_runtime.resource_type = RESOURCE_GRP;
    }
    void write(const std::string& file, int32_t w, int32_t h, uint16_t bits = 8) {
        test::BmpFixture s;
        s.width = w;
        s.height = h;
        s.bits = bits;
        s.palette = test::ramp_palette(size_t{1} << bits);
        for (int32_t y = 0; y < h; ++y)
            for (int32_t x = 0; x < w; ++x)
                s.pixels.push_back(static_cast<uint8_t>(value(x, y) & ((1 << bits) - 1)));
        test::write_bmp_file(tmp.file(file), s);
    }
    ConvertJob job_for(const std::string& file) {
        return make_convert_job(tmp.file(file).c_str(), false);
    }
    test::TempDir tmp;
};

}  // namespace

TEST(GrpLayout, OffsetsOfThePage) {
    BmpImage img = test::make_image(256, 192, value);
    ResourceBuffer b = gather_tiles(49152, 0, 64, 64, 256, img);
    ASSERT_EQ(b.length(), 49172u);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(b.data()), 20), "PETITCOMPETC0100RGRP");
    EXPECT_EQ(grp_offset(64, 0), 4096u);
    EXPECT_EQ(grp_offset(8, 0), 64u);
    EXPECT_EQ(grp_offset(0, 1), 8u);
    EXPECT_EQ(grp_offset(0, 64), 16384u);
    for (int32_t y = 0; y < 192; ++y)
        for (int32_t x = 0; x < 256; ++x)
            ASSERT_EQ(b.body()[grp_offset(x, y)], value(x, y)) << x << "," << y;
}

TEST_F(GrpTest, OnePage) {
    write("page.bmp", 256, 192);
    ASSERT_TRUE(convert_grp(job_for("page.bmp")));
    auto p = test::read_ptc(tmp.file("page_GRP.ptc"));
    EXPECT_TRUE(p.valid);
    EXPECT_EQ(p.type_code, 2u);
    EXPECT_EQ(p.type_string, "PETC0100RGRP");
    EXPECT_EQ(p.name, "PAGE");
    ASSERT_EQ(p.body.size(), 49152u);
    EXPECT_EQ(p.body[grp_offset(200, 150)], value(200, 150));
    EXPECT_TRUE(test::read_ptc(tmp.file("page_COL.ptc")).valid);
    EXPECT_TRUE(test::file_exists(tmp.file("page_GRP_DATA.txt")));
}

TEST_F(GrpTest, PartsLeftToRightThenDown) {
    write("wide.bmp", 512, 192);
    ASSERT_TRUE(convert_grp(job_for("wide.bmp")));
    auto left = test::read_ptc(tmp.file("wide_GRP0.ptc"));
    auto right = test::read_ptc(tmp.file("wide_GRP1.ptc"));
    EXPECT_EQ(left.name, "WIDE0");
    EXPECT_EQ(right.name, "WIDE1");
    EXPECT_EQ(left.body[grp_offset(5, 5)], value(5, 5));
    EXPECT_EQ(right.body[grp_offset(5, 5)], value(256 + 5, 5));
    EXPECT_FALSE(test::file_exists(tmp.file("wide_GRP.ptc")));

    write("tall.bmp", 256, 200);
    ASSERT_TRUE(convert_grp(job_for("tall.bmp")));
    auto second = test::read_ptc(tmp.file("tall_GRP1.ptc"));
    ASSERT_EQ(second.body.size(), 49152u);
    for (int32_t y = 0; y < 192; ++y)
        for (int32_t x = 0; x < 256; x += 37)
            ASSERT_EQ(second.body[grp_offset(x, y)], y < 8 ? value(x, 192 + y) : 0)
                << x << "," << y;
}

TEST_F(GrpTest, SmallImageZeroFilledAndFourBitIndices) {
    write("small.bmp", 100, 100, 4);
    ASSERT_TRUE(convert_grp(job_for("small.bmp")));
    auto p = test::read_ptc(tmp.file("small_GRP.ptc"));
    ASSERT_EQ(p.body.size(), 49152u);
    for (int32_t y = 0; y < 192; ++y)
        for (int32_t x = 0; x < 256; ++x) {
            uint8_t want = (x < 100 && y < 100) ? (value(x, y) & 15) : 0;
            ASSERT_EQ(p.body[grp_offset(x, y)], want) << x << "," << y;
        }
}

TEST_F(GrpTest, EightBitIndicesStayWhole) {
    write("full.bmp", 256, 192);
    g_settings.TextOut = 0;
    ASSERT_TRUE(convert_grp(job_for("full.bmp")));
    auto p = test::read_ptc(tmp.file("full_GRP.ptc"));
    EXPECT_EQ(p.body[grp_offset(36, 0)], value(36, 0));
    EXPECT_GT(value(36, 0), 15);
    EXPECT_FALSE(test::file_exists(tmp.file("full_GRP_DATA.txt")));
}

}  // namespace tw
