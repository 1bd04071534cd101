// map and sprites on true-colour pictures, through the command line.

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "common/text.h"
#include "image/colour.h"
#include "picture/picture.h"
#include "platform/md5.h"
#include "support/cli_run.h"
#include "support/png_writer.h"
#include "support/temp_dir.h"

namespace tw {
namespace {

using test::run;

// A true-colour PNG (RGBA) of the given pixels.
void write_rgba_png(const std::string& path, uint32_t width, uint32_t height,
                    const std::vector<Rgba>& pixels) {
    test::PngFixture png;
    png.width = width;
    png.height = height;
    png.colour_type = 6;
    for (const Rgba& p : pixels)
        for (uint8_t s : {p.r, p.g, p.b, p.a}) png.samples.push_back(s);
    test::write_file(path, test::make_png(png));
}

// width x height pixels whose units of unit_w x unit_h each draw from one of
// `sets` hidden sets of `per_set` colours (set of unit k: set_of(k)); about one
// pixel in eight transparent by alpha.
std::vector<Rgba> hidden_set_pixels(uint32_t seed, uint32_t width, uint32_t height, uint32_t unit_w,
                                    uint32_t unit_h, uint32_t sets, uint32_t per_set,
                                    uint32_t (*set_of)(uint32_t)) {
    std::mt19937 rng(seed);
    std::vector<Rgba> colours(size_t{sets} * per_set);
    for (auto& c : colours) {
        const uint32_t v = static_cast<uint32_t>(rng());
        c = Rgba{static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 8),
                 static_cast<uint8_t>(v >> 16), 255};
    }
    const uint32_t across = (width + unit_w - 1) / unit_w;
    std::vector<Rgba> pixels;
    for (uint32_t y = 0; y < height; ++y)
        for (uint32_t x = 0; x < width; ++x) {
            const uint32_t set = set_of(y / unit_h * across + x / unit_w);
            pixels.push_back(rng() % 8 == 0 ? Rgba{0, 0, 0, 0}
                                            : colours[set * per_set + rng() % per_set]);
        }
    return pixels;
}

uint32_t by_thirds(uint32_t unit) {
    return unit % 3 == 1 ? 1 : 0;
}

uint32_t by_fives(uint32_t unit) {
    return unit * 7 % 5;
}

std::string md5_text(const std::vector<uint8_t>& bytes) {
    uint8_t digest[16];
    EXPECT_TRUE(md5_digest(bytes.data(), bytes.size(), digest));
    std::string text;
    for (uint8_t b : digest) text += "0123456789abcdef"[b >> 4], text += "0123456789abcdef"[b & 15];
    return text;
}

class PictureCli : public testing::Test {
  protected:
    void SetUp() override { test::reset_settings(tmp.path()); }
    bool wrote_nothing(const std::string& dir) {
        return !std::filesystem::exists(tmp.file(dir)) || std::filesystem::is_empty(tmp.file(dir));
    }
    test::TempDir tmp;
};

TEST_F(PictureCli, MapOfATrueColourPictureRendersBackEveryColour) {
    // 131 x 90: padded to whole cells; five hidden sets of 9 colours need five banks.
    const uint32_t w = 131, h = 90;
    const std::vector<Rgba> pixels = hidden_set_pixels(11, w, h, 8, 8, 5, 9, by_fives);
    write_rgba_png(tmp.file("art.png"), w, h, pixels);
    auto map = run(tmp.path(), cli::run_map, {"map", "-o", "out", "art.png"});
    ASSERT_EQ(map.status, 0) << map.out << map.err;
    EXPECT_NE(map.out.find("パレット 5個（最少）（パレット付きでない画像）"), std::string::npos)
        << map.out;
    EXPECT_NE(map.out.find("131x90 を透明で 136x96 に広げました"), std::string::npos) << map.out;

    auto render = run(tmp.path(), cli::run_render,
                      {"render", "-o", "back.png", "--crop", "0,0,136,96", "out/art_SCR.ptc",
                       "out/art_CHR.ptc", "out/art_COL.ptc"});
    ASSERT_EQ(render.status, 0) << render.out << render.err;
    Picture back;
    ASSERT_TRUE(read_picture_file(tmp.file("back.png").c_str(), back));
    ASSERT_EQ(back.width, 136u);
    ASSERT_EQ(back.height, 96u);
    for (uint32_t y = 0; y < back.height; ++y)
        for (uint32_t x = 0; x < back.width; ++x) {
            uint16_t want = 0;  // transparent by alpha, or padding: entry 0 is 0
            if (x < w && y < h && pixels[y * w + x].a >= 128) {
                const Rgba& p = pixels[y * w + x];
                want = rgb_to_col(p.r, p.g, p.b);
            }
            const Rgba& got = back.pixels[size_t{y} * back.width + x];
            ASSERT_EQ(rgb_to_col(got.r, got.g, got.b), want) << x << "," << y;
        }
}

TEST_F(PictureCli, OnlyTheKeyItselfIsTransparentAndALooseKeyIsNamed) {
    // On black (the key): outlines of 2,2,2 and 7,5,6, which the target draws
    // as black too, and magenta of F800F8.
    const uint32_t w = 24, h = 16;
    std::vector<Rgba> pixels;
    for (uint32_t y = 0; y < h; ++y)
        for (uint32_t x = 0; x < w; ++x)
            pixels.push_back(x % 11 == 4        ? Rgba{248, 0, 248, 255}
                             : (x + y) % 7 == 3 ? Rgba{200, 100, 50, 255}
                             : x % 6 == 2       ? Rgba{2, 2, 2, 255}
                             : y % 5 == 1       ? Rgba{7, 5, 6, 255}
                                                : Rgba{0, 0, 0, 255});
    write_rgba_png(tmp.file("art.png"), w, h, pixels);
    ASSERT_EQ(run(tmp.path(), cli::run_map, {"map", "-o", "out", "art.png"}).status, 0);
    auto render = run(tmp.path(), cli::run_render,
                      {"render", "-o", "back.png", "--crop", "0,0,24,16", "out/art_SCR.ptc",
                       "out/art_CHR.ptc", "out/art_COL.ptc"});
    ASSERT_EQ(render.status, 0) << render.out << render.err;
    Picture back;
    ASSERT_TRUE(read_picture_file(tmp.file("back.png").c_str(), back));
    ASSERT_TRUE(back.indexed);
    for (uint32_t y = 0; y < h; ++y)
        for (uint32_t x = 0; x < w; ++x) {
            const Rgba& p = pixels[y * w + x];
            const size_t at = size_t{y} * back.width + x;
            if (p == Rgba{0, 0, 0, 255}) {
                ASSERT_EQ(back.indices[at] % 16, 0) << x << "," << y;
                continue;
            }
            ASSERT_NE(back.indices[at] % 16, 0) << x << "," << y;
            const Rgba& got = back.pixels[at];
            ASSERT_EQ(rgb_to_col(got.r, got.g, got.b), rgb_to_col(p.r, p.g, p.b)) << x << "," << y;
        }

    // A key that no pixel has exactly, though 32 have its target value.
    set_language(LANGUAGE_EN);
    auto given =
        run(tmp.path(), cli::run_map, {"map", "-o", "given", "--transparent", "ff00ff", "art.png"});
    auto exact =
        run(tmp.path(), cli::run_map, {"map", "-o", "exact", "--transparent", "F800F8", "art.png"});
    set_language(LANGUAGE_JA);
    EXPECT_EQ(given.status, 0);
    EXPECT_NE(given.out.find(", no pixel is FF00FF; 32 pixels of F800F8 stay opaque"),
              std::string::npos)
        << given.out;
    EXPECT_EQ(exact.status, 0);
    EXPECT_EQ(exact.out.find("no pixel is"), std::string::npos) << exact.out;
}

TEST_F(PictureCli, SpritesWriteEachSpritesPaletteAsData) {
    // 18 sprites of 16 x 16; every third from the second on draws from another
    // set of 10 colours, which cannot share a bank with the first set.
    write_rgba_png(tmp.file("hero.png"), 96, 48,
                   hidden_set_pixels(3, 96, 48, 16, 16, 2, 10, by_thirds));
    auto r = run(tmp.path(), cli::run_sprites, {"sprites", "-t", "16x16", "-o", "out", "hero.png"});
    ASSERT_EQ(r.status, 0) << r.out << r.err;
    EXPECT_NE(r.out.find("スプライト 18個、タイル 72個、パレット 2個（最少）"), std::string::npos)
        << r.out;
    const std::vector<uint8_t> data = test::read_file(tmp.file("out/hero_PAL_DATA.txt"));
    EXPECT_EQ(std::string(data.begin(), data.end()),
              "' SPRITE PALETTES\rDATA 0,1,0,0,1,0,0,1,0,0,1,0,0,1,0,0\rDATA 1,0\r");
    EXPECT_TRUE(test::file_exists(tmp.file("out/hero_CHR.ptc")));
    EXPECT_TRUE(test::file_exists(tmp.file("out/hero_COL.ptc")));
}

TEST_F(PictureCli, RefusalsNameTheUnitAndWriteNothing) {
    // 16 opaque colours in the cells at 16,0 and 8,16: the sprites at 16,0 and 0,16.
    std::vector<Rgba> pixels(32 * 32, Rgba{0, 0, 0, 0});
    for (uint32_t i = 0; i < 16; ++i) {
        const Rgba c{static_cast<uint8_t>(16 * i), 40, 200, 255};
        pixels[(16 + i / 8) * 32 + 8 + i % 8] = c;
        pixels[(i / 8) * 32 + 16 + i % 8] = c;
    }
    write_rgba_png(tmp.file("busy.png"), 32, 32, pixels);
    struct Case {
        std::vector<std::string> args;
        int (*command)(int, char**);
        const char* names;
        const char* also;
    };
    const Case cases[] = {
        {{"map", "-o", "out", "busy.png"}, cli::run_map, "セル 16,0 は16色", "8,16 (16)"},
        {{"sprites", "-t", "16x16", "-o", "out", "busy.png"},
         cli::run_sprites,
         "スプライト 16,0 は16色",
         "0,16 (16)"},
    };
    for (const Case& c : cases) {
        auto r = run(tmp.path(), c.command, c.args);
        EXPECT_EQ(r.status, 1) << c.args[0];
        EXPECT_NE(r.out.find(c.names), std::string::npos) << r.out;
        EXPECT_NE(r.out.find(c.also), std::string::npos) << r.out;
        EXPECT_TRUE(wrote_nothing("out")) << c.args[0];
    }
}

TEST_F(PictureCli, UsageErrors) {
    write_rgba_png(tmp.file("a.png"), 16, 16, std::vector<Rgba>(256, Rgba{1, 2, 3, 255}));
    const std::vector<std::vector<std::string>> cases = {
        {"sprites", "-o", "out", "a.png"},
        {"sprites", "-t", "8x8", "-o", "out", "a.png"},
        {"sprites", "-t", "16x16", "-o", "out"},
        {"map", "--transparent", "12345", "-o", "out", "a.png"},
        {"map", "--transparent", "GG0000", "-o", "out", "a.png"},
        {"map", "--pack-effort", "-1", "-o", "out", "a.png"},
        {"map", "--pack-effort", "many", "-o", "out", "a.png"},
    };
    for (const auto& args : cases) {
        auto r = run(tmp.path(), args[0] == "map" ? cli::run_map : cli::run_sprites, args);
        EXPECT_EQ(r.status, 2) << args[1] << " " << args[2];
        EXPECT_TRUE(wrote_nothing("out")) << args[1] << " " << args[2];
    }
}

// The same picture gives the same bytes on every platform: run under Wine too.
TEST_F(PictureCli, OutputsAreTheSameBytesEverywhere) {
    write_rgba_png(tmp.file("room.png"), 200, 120,
                   hidden_set_pixels(21, 200, 120, 8, 8, 5, 9, by_fives));
    write_rgba_png(tmp.file("hero.png"), 96, 48,
                   hidden_set_pixels(3, 96, 48, 16, 16, 2, 10, by_thirds));
    ASSERT_EQ(run(tmp.path(), cli::run_map, {"map", "-o", "out", "room.png"}).status, 0);
    ASSERT_EQ(run(tmp.path(), cli::run_sprites, {"sprites", "-t", "16x16", "-o", "out", "hero.png"})
                  .status,
              0);
    std::vector<uint8_t> all;
    for (const char* f : {"room_COL.ptc", "room_CHR0.ptc", "room_CHR1.ptc", "room_SCR.ptc",
                          "hero_COL.ptc", "hero_CHR.ptc", "hero_PAL_DATA.txt"}) {
        const std::vector<uint8_t> bytes = test::read_file(tmp.file(std::string("out/") + f));
        ASSERT_FALSE(bytes.empty()) << f;
        all.insert(all.end(), bytes.begin(), bytes.end());
    }
    EXPECT_EQ(md5_text(all), "d71d556fe2ebf65589dfc753e1dae25e");
}

}  // namespace
}  // namespace tw
