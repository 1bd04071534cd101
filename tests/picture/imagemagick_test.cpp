// Images written by ImageMagick (tests/data/imagemagick, made by
// scripts/make_test_images.sh) read the same as our own fixture writer's
// images of the same pattern: colour for colour at every pixel.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "picture/bmp_image.h"
#include "settings/settings.h"
#include "support/bmp_writer.h"
#include "support/temp_dir.h"

namespace tw {

namespace {

uint16_t colour_of(const BmpImage& img, uint32_t i) {
    uint8_t e = img.pixels[i];
    return static_cast<uint16_t>(img.col[20 + 2 * e] | img.col[21 + 2 * e] << 8);
}

BmpImage read(const std::string& path) {
    ConvertJob job{};
    std::snprintf(job.path, sizeof job.path, "%s", path.c_str());
    return read_bmp(job, 1, 1, 255);
}

}  // namespace

TEST(ImageMagickImages, ReadTheSameAsOurOwn) {
    const struct {
        const char* name;
        int32_t w, h, colours;
        uint16_t bits;
    } cases[] = {{"two_10x3", 10, 3, 2, 1},
                 {"sixteen_9x5", 9, 5, 16, 4},
                 {"many_6x4", 6, 4, 200, 8},
                 {"many_33x7", 33, 7, 256, 8}};
    test::TempDir tmp;
    test::reset_settings(tmp.path());
    g_settings.PAL_Fix_1bit = 0;
    const std::string data = TW_TEST_DATA_DIR "/imagemagick/";
    for (const auto& c : cases) {
        test::BmpFixture s;
        s.width = c.w;
        s.height = c.h;
        s.bits = c.bits;
        for (int i = 0; i < (1 << c.bits); ++i) {
            uint32_t r = static_cast<uint32_t>(i * 37 % 256),
                     g = static_cast<uint32_t>(i * 91 % 256),
                     b = static_cast<uint32_t>(i * 53 % 256);
            s.palette.push_back(i < c.colours ? (r << 16 | g << 8 | b) : 0);
        }
        for (int32_t y = 0; y < c.h; ++y)
            for (int32_t x = 0; x < c.w; ++x)
                s.pixels.push_back(static_cast<uint8_t>((x * 3 + y * 5) % c.colours));
        std::string ours_path = tmp.file(std::string(c.name) + ".bmp");
        test::write_bmp_file(ours_path, s);
        BmpImage ours = read(ours_path);
        ASSERT_EQ(ours.pixel_count, static_cast<uint32_t>(c.w * c.h)) << c.name;
        for (const char* form : {"_bmp3.bmp", "_v5.bmp"}) {
            BmpImage theirs = read(data + c.name + form);
            ASSERT_EQ(theirs.pixel_count, ours.pixel_count) << c.name << form;
            EXPECT_EQ(theirs.width, c.w);
            for (uint32_t i = 0; i < ours.pixel_count; ++i)
                ASSERT_EQ(colour_of(theirs, i), colour_of(ours, i))
                    << c.name << form << " pixel " << i;
        }
    }
}

}  // namespace tw
