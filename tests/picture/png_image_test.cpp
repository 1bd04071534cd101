#include "picture/png_image.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "common/failure.h"
#include "platform/png.h"
#include "resources/texts.h"
#include "support/bmp_writer.h"
#include "support/imagemagick.h"
#include "support/png_writer.h"
#include "support/temp_dir.h"

namespace tw {
namespace {

std::vector<uint8_t> picture(uint32_t w, uint32_t h, uint32_t colours) {
    std::vector<uint8_t> p(size_t{w} * h);
    for (size_t i = 0; i < p.size(); ++i)
        p[i] = static_cast<uint8_t>((i * 7 + i / w * 3) % colours);
    return p;
}

// Every bit depth gives the indices and palette of the BMP of the same picture.
TEST(PngImage, EachDepthReadsAsTheSameBmp) {
    test::reset_settings(".");
    for (uint8_t depth : {uint8_t{1}, uint8_t{2}, uint8_t{4}, uint8_t{8}}) {
        SCOPED_TRACE(depth);
        const uint32_t colours = 1u << depth;
        test::PngFixture png;
        png.width = 13;  // rows end inside a byte at every depth below 8
        png.height = 5;
        png.depth = depth;
        png.pixels = picture(png.width, png.height, colours);
        png.palette = test::ramp_palette(colours);
        test::BmpFixture bmp;
        bmp.width = 13;
        bmp.height = 5;
        bmp.bits = depth == 2 ? 4 : depth;
        bmp.pixels = png.pixels;
        bmp.palette = png.palette;
        bmp.colours_used = colours;
        auto png_bytes = test::make_png(png);
        auto bmp_bytes = test::make_bmp(bmp);
        BmpImage a = decode_png(png_bytes.data(), png_bytes.size(), 8, 8, 0xFF);
        BmpImage b = decode_bmp(bmp_bytes.data(), bmp_bytes.size(), "x.bmp", 8, 8, 0xFF);
        ASSERT_EQ(a.pixel_count, 65u) << last_failure();
        ASSERT_EQ(b.pixel_count, 65u) << last_failure();
        EXPECT_EQ(std::memcmp(a.pixels.get(), b.pixels.get(), 65), 0);
        EXPECT_EQ(std::memcmp(a.col, b.col, sizeof a.col), 0);
    }
}

TEST(PngImage, RefusalsNameTheirReason) {
    struct Case {
        const char* name;
        uint8_t type, depth;
        bool break_deflate;
        size_t cut;
        const Text* reason;
    } cases[] = {
        {"rgb", 2, 8, false, 0, &kReasonPngType},
        {"grey", 0, 8, false, 0, &kReasonPngType},
        {"rgba", 6, 8, false, 0, &kReasonPngType},
        {"deflate", 3, 8, true, 0, &kReasonPngBroken},
        {"cut", 3, 8, false, 30, &kReasonPngBroken},
        {"depth 16", 3, 16, false, 0, &kReasonPngBroken},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        test::PngFixture f;
        f.colour_type = c.type;
        f.depth = c.depth;
        f.palette = test::ramp_palette(4);
        f.break_deflate = c.break_deflate;
        auto bytes = test::make_png(f);
        bytes.resize(bytes.size() - c.cut);
        clear_failure();
        EXPECT_EQ(decode_png(bytes.data(), bytes.size(), 8, 8, 0xFF).pixel_count, 0u);
        EXPECT_EQ(last_failure_reason(), c.reason) << last_failure();
    }
}

// What the platform writes, the platform and our reader read back.
TEST(PngImage, WrittenPictureReadsBack) {
    std::vector<uint8_t> pixels = picture(37, 11, 256);
    PngRgb palette[256];
    for (int i = 0; i < 256; ++i) palette[i] = {uint8_t(i), uint8_t(255 - i), uint8_t(i * 3)};
    std::vector<uint8_t> file;
    ASSERT_TRUE(png_encode_indexed8(pixels.data(), 37, 11, palette, file));
    BmpImage img = decode_png(file.data(), file.size(), 1, 1, 0xFF);
    ASSERT_EQ(img.pixel_count, 37u * 11u) << last_failure();
    EXPECT_EQ(std::memcmp(img.pixels.get(), pixels.data(), pixels.size()), 0);
    EXPECT_EQ(img.col[20 + 2 * 200] | img.col[21 + 2 * 200] << 8, rgb_to_col(200, 55, 88));

    // An independent decoder sees the same colours.
    if (!test::imagemagick()) GTEST_SKIP() << "ImageMagick is not installed";
    test::TempDir tmp;
    test::write_file(tmp.file("p.png"), file);
    std::vector<uint8_t> rgb = test::decode_rgb(tmp.file("p.png"));
    ASSERT_EQ(rgb.size(), pixels.size() * 3);
    for (size_t i = 0; i < pixels.size(); ++i) {
        const PngRgb& want = palette[pixels[i]];
        ASSERT_EQ(rgb[3 * i], want.r) << i;
        ASSERT_EQ(rgb[3 * i + 1], want.g) << i;
        ASSERT_EQ(rgb[3 * i + 2], want.b) << i;
    }
}

}  // namespace
}  // namespace tw
