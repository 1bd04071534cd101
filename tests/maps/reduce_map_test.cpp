#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <string>

#include "cli/commands.h"
#include "common/failure.h"
#include "image/colour.h"
#include "maps/map_convert.h"
#include "maps/picture_map.h"
#include "maps/report_picture.h"
#include "maps/sprite_sheet.h"
#include "resources/texts.h"
#include "support/cli_run.h"
#include "support/map_render.h"
#include "support/png_writer.h"
#include "support/temp_dir.h"

namespace tw {
namespace {

// Every pixel a colour of its own draw (a few transparent by alpha when
// `alpha`): cells of far more than 15 colours.
Picture noise(std::mt19937& rng, uint32_t width, uint32_t height, bool alpha) {
    Picture p;
    p.width = width;
    p.height = height;
    for (uint32_t i = 0; i < width * height; ++i) {
        const auto c = static_cast<uint32_t>(rng());
        p.pixels.push_back(Rgba{static_cast<uint8_t>(c), static_cast<uint8_t>(c >> 8),
                                static_cast<uint8_t>(c >> 16),
                                static_cast<uint8_t>(alpha && c % 9 == 0 ? 0 : 255)});
    }
    return p;
}

bool same(const MapScreens& a, const MapScreens& b) {
    return std::memcmp(a.palette.colours, b.palette.colours, 512) == 0 && a.tiles == b.tiles &&
           std::memcmp(a.screens[0]->cells, b.screens[0]->cells, sizeof(ScreenCells)) == 0;
}

TEST(ReduceMap, ExactPicturesKeepTheirBytes) {
    // Few colours: the exact rule converts it, and --reduce changes nothing.
    std::mt19937 rng(3);
    Picture p;
    p.width = 96;
    p.height = 40;
    for (uint32_t i = 0; i < p.width * p.height; ++i)
        p.pixels.push_back(Rgba{static_cast<uint8_t>(rng() % 4 * 64), 0, 0x80, 255});
    PictureOptions plain, reduce;
    reduce.reduce = reduce.dither = true;
    MapScreens a, b;
    ASSERT_TRUE(map_pictures({&p}, {}, plain, a)) << last_failure();
    ASSERT_TRUE(map_pictures({&p}, {}, reduce, b)) << last_failure();
    EXPECT_TRUE(same(a, b));
    EXPECT_FALSE(b.summaries[0].reduced);
    EXPECT_FALSE(b.units[0].reduced);
    SpriteSheet sa, sb;
    plain.unit_width = plain.unit_height = reduce.unit_width = reduce.unit_height = 16;
    ASSERT_TRUE(build_sprite_sheet(p, plain, sa));
    ASSERT_TRUE(build_sprite_sheet(p, reduce, sb));
    EXPECT_EQ(sa.tiles, sb.tiles);
    EXPECT_EQ(sa.palettes, sb.palettes);
    EXPECT_EQ(std::memcmp(sa.palette.colours, sb.palette.colours, 512), 0);
}

TEST(ReduceMap, EveryPixelIsDrawnWithItsCellsBank) {
    std::mt19937 rng(11);
    for (int round = 0; round < 4; ++round) {
        SCOPED_TRACE(round);
        const bool alpha = round % 2 == 0;
        const auto w = static_cast<uint32_t>(40 + rng() % 90),
                   h = static_cast<uint32_t>(8 + rng() % 60);
        const Picture p = noise(rng, w, h, alpha);
        PictureOptions options;
        options.reduce = true;
        options.dither = round >= 2;
        MapScreens m;
        ASSERT_TRUE(map_pictures({&p}, {}, options, m)) << last_failure();
        const PictureSummary& s = m.summaries[0];
        EXPECT_TRUE(s.reduced);
        EXPECT_TRUE(m.units[0].reduced);
        EXPECT_LE(s.bank_count, 16u);
        EXPECT_GT(s.psnr, 10.0);
        EXPECT_GT(s.max_error, 0.0);
        const uint16_t key = alpha ? 0 : rgb_to_col(p.pixels[0].r, p.pixels[0].g, p.pixels[0].b);
        for (uint32_t b = 0; b < 16; ++b) EXPECT_EQ(m.palette.colours[16 * b], key);
        const std::vector<uint8_t> back = test::render_mapped(m, 0);
        for (uint32_t y = 0; y < 512; ++y)
            for (uint32_t x = 0; x < 512; ++x) {
                const uint8_t d = back[y * 512 + x];
                bool opaque = false;
                if (x < w && y < h) {
                    const Rgba& c = p.pixels[y * w + x];
                    opaque = c.a >= 128 && (alpha || rgb_to_col(c.r, c.g, c.b) != key);
                }
                ASSERT_EQ(d % 16 != 0, opaque) << x << "," << y;
                if (opaque) {
                    ASSERT_EQ(d >> 4, m.screens[0]->cells[y / 8][x / 8] >> 12);
                }
            }
        MapScreens again;
        ASSERT_TRUE(map_pictures({&p}, {}, options, again));
        EXPECT_TRUE(same(m, again));
    }
}

TEST(ReduceMap, PaletteFileSpritesAndTheTileLimit) {
    test::TempDir tmp;
    test::reset_settings(tmp.path());
    test::PngFixture f;
    f.pixels.assign(64, 0);
    f.palette.assign(48, 0);
    for (uint32_t i = 1; i < 48; ++i) f.palette[i] = i * 0x050709u & 0xF8F8F8u;
    const std::string file = tmp.file("palette.png");
    test::write_file(file, test::make_png(f));
    std::mt19937 rng(7);
    const Picture p = noise(rng, 64, 32, true);
    PictureOptions options;
    options.reduce = true;
    options.palette = PaletteRule::FILE;
    options.palette_file = file;
    MapScreens m;
    ASSERT_TRUE(map_pictures({&p}, {}, options, m)) << last_failure();
    const std::vector<uint8_t> back = test::render_mapped(m, 0);
    for (uint32_t y = 0; y < 32; ++y)
        for (uint32_t x = 0; x < 64; ++x) {
            const uint8_t d = back[y * 512 + x];
            if (d % 16 == 0) continue;
            ASSERT_LT(d, 48) << x << "," << y;  // banks 0-2 of the file
            ASSERT_EQ(m.palette.colours[d], rgb_to_col(static_cast<uint8_t>(f.palette[d] >> 16),
                                                       static_cast<uint8_t>(f.palette[d] >> 8),
                                                       static_cast<uint8_t>(f.palette[d])));
        }

    options.palette = PaletteRule::GENERATE;
    options.unit_width = options.unit_height = 16;
    SpriteSheet sheet;
    ASSERT_TRUE(build_sprite_sheet(p, options, sheet)) << last_failure();
    EXPECT_TRUE(sheet.summary.reduced);
    EXPECT_EQ(sheet.palettes.size(), 8u);
    for (uint8_t b : sheet.palettes) EXPECT_LT(b, sheet.summary.bank_count);

    // Reduction does not merge cells: 1090 tiles with the blank one.
    const Picture big = noise(rng, 264, 264, false);
    clear_failure();
    EXPECT_FALSE(map_pictures({&big}, {}, options, m));
    EXPECT_EQ(last_failure_reason(), &kReasonMapTooManyTiles);
    EXPECT_NE(std::string(last_failure()).find("1090"), std::string::npos) << last_failure();
}

TEST(ReduceMap, CommandLine) {
    test::TempDir tmp;
    test::reset_settings(tmp.path());
    test::PngFixture png;
    png.width = 32;
    png.height = 16;
    png.palette.assign(256, 0);
    for (uint32_t i = 0; i < 256; ++i) png.palette[i] = i * 0x010305u & 0xFFFFFFu;
    for (uint32_t i = 0; i < 32 * 16; ++i) png.pixels.push_back(static_cast<uint8_t>(i * 7));
    test::write_file(tmp.file("art.png"), test::make_png(png));
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"map", "--reduce", "--palette", "keep", "art.png"},
             {"sprites", "-t", "16x16", "--palette=keep", "--reduce", "art.png"}}) {
        auto r = test::run(tmp.path(), args[0] == "map" ? cli::run_map : cli::run_sprites, args);
        EXPECT_EQ(r.status, 2) << r.err;
    }
    auto r = test::run(tmp.path(), cli::run_map,
                       {"map", "--reduce", "--report", "-o", "out", "art.png"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("色を減らして"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("PSNR"), std::string::npos) << r.out;
    // The report shows the difference beside the picture.
    Picture report;
    ASSERT_TRUE(read_picture_file(tmp.file("out/art_report.png").c_str(), report));
    // (Row 2 of the report: the picture's row 1, where every pixel is opaque.)
    const uint32_t diff_x = kReportScale * 32 + kReportDiffGap;
    ASSERT_GE(report.width, diff_x + kReportScale * 32);
    for (uint32_t x = 0; x < report.width; x += 4)
        EXPECT_EQ(
            report.pixels[2 * report.width + x].a,
            x >= diff_x + kReportScale * 32 || (x >= kReportScale * 32 && x < diff_x) ? 0 : 255)
            << x;
    // A set of the picture and its mirror image: the mirrored cells are drawn
    // alike, so they share the picture's tiles.
    for (uint32_t y = 0; y < 16; ++y)
        std::reverse(png.pixels.begin() + 32 * y, png.pixels.begin() + 32 * (y + 1));
    test::write_file(tmp.file("mirror.png"), test::make_png(png));
    auto set =
        test::run(tmp.path(), cli::run_map,
                  {"map", "--reduce", "--shared", "both", "-o", "set", "art.png", "mirror.png"});
    ASSERT_EQ(set.status, 0) << set.out;
    EXPECT_EQ(test::read_file(tmp.file("set/both_CHR.ptc")).size(),
              test::read_file(tmp.file("out/art_CHR.ptc")).size());
    const std::string tiles = r.out.substr(r.out.find(": ", r.out.find("art.png")) + 2, 8);
    EXPECT_NE(set.out.find("mirror.png: " + tiles), std::string::npos) << r.out << set.out;
}

}  // namespace
}  // namespace tw
