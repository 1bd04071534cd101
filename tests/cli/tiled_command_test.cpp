// `tiled` and `map LEVEL`: a package written as a Tiled level and read back to
// the same bytes, drawn by Tiled as render draws it; and a level made for
// Tiled mapped and rendered back to Tiled's colours.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "common/fixed_text.h"
#include "common/text.h"
#include "image/colour.h"
#include "image/resource_kinds.h"
#include "levels/level_fixtures.h"
#include "picture/picture.h"
#include "resources/texts.h"
#include "support/cli_run.h"
#include "support/png_writer.h"
#include "support/ptc_builder.h"
#include "support/temp_dir.h"

namespace tw {
namespace {

using test::run;

std::vector<uint8_t> random_bytes(size_t n, std::mt19937& rng) {
    std::vector<uint8_t> b(n);
    for (uint8_t& v : b) v = static_cast<uint8_t>(rng());
    return b;
}

// The body at the end of a single-resource PTC file.
std::vector<uint8_t> body_of(const std::string& path, size_t length) {
    const std::vector<uint8_t> file = test::read_file(path);
    if (file.size() < length) return {};
    return {file.end() - static_cast<std::ptrdiff_t>(length), file.end()};
}

class TiledCli : public testing::Test {
  protected:
    void SetUp() override {
        test::reset_settings(tmp.path());
        // Every cell value: any character, flips and bank; four full CHR banks.
        std::mt19937 rng(11);
        for (int b = 0; b < 4; ++b) {
            chr[b] = random_bytes(kChrKind.body_length, rng);
            const char* const names[] = {"c0.ptc", "c1.ptc", "c2.ptc", "c3.ptc"};
            write_part(names[b], kChrKind, "CHR", chr[b]);
        }
        for (int s = 0; s < 2; ++s) {
            scr[s] = random_bytes(kScrKind.body_length, rng);
            write_part(s == 0 ? "s0.ptc" : "s1.ptc", kScrKind, "SCR", scr[s]);
        }
        col = random_bytes(kColKind.body_length, rng);
        col[2 * 17] = col[2 * 16];  // bank 1: colour 1 the same as colour 0
        col[2 * 17 + 1] = col[2 * 16 + 1];
        write_part("p.ptc", kColKind, "COL", col);
        auto pkg = run(tmp.path(), cli::run_package,
                       {"package", "-o", "game.ptc", "BGU0=c0.ptc", "BGU1=c1.ptc", "BGU2=c2.ptc",
                        "BGU3=c3.ptc", "SCR0=s0.ptc", "SCR1=s1.ptc", "COL0=p.ptc"});
        ASSERT_EQ(pkg.status, 0) << pkg.out;
    }
    void write_part(const std::string& name, const ResourceKind& kind, const char* tag,
                    const std::vector<uint8_t>& body) {
        test::write_file(tmp.file(name), test::make_ptc("P", kind.type_code, {{tag, body, ""}}));
    }
    test::TempDir tmp;
    std::vector<uint8_t> chr[4], scr[2], col;
};

TEST_F(TiledCli, PackageAndFilesExportAndReadBackToTheSameBytes) {
    for (const std::vector<std::string>& inputs :
         {std::vector<std::string>{"game.ptc"},
          std::vector<std::string>{"s0.ptc", "c0.ptc", "c1.ptc", "c2.ptc", "c3.ptc", "p.ptc",
                                   "s1.ptc"}}) {
        const std::string name = inputs[0].substr(0, inputs[0].size() - 4);
        std::vector<std::string> args{"tiled", "-o", "lvl"};
        args.insert(args.end(), inputs.begin(), inputs.end());
        auto out = run(tmp.path(), cli::run_tiled, args);
        ASSERT_EQ(out.status, 0) << out.out;
        // The map's background is COL entry 0, what the handheld shows under every layer.
        const Rgb entry_0 = col_to_rgb(static_cast<uint16_t>(col[0] | col[1] << 8));
        char background[40];
        std::snprintf(background, sizeof background, "backgroundcolor=\"#%02x%02x%02x\"", entry_0.r,
                      entry_0.g, entry_0.b);
        const std::vector<uint8_t> tmx = test::read_file(tmp.file("lvl/" + name + ".tmx"));
        EXPECT_NE(std::string(tmx.begin(), tmx.end()).find(background), std::string::npos)
            << background;
        auto back = run(tmp.path(), cli::run_map, {"map", "-o", "back", "lvl/" + name + ".tmx"});
        ASSERT_EQ(back.status, 0) << back.out;
        EXPECT_NE(back.out.find("文字番号のまま"), std::string::npos) << back.out;
        const std::string at = tmp.file("back/" + name);
        for (int s = 0; s < 2; ++s)
            EXPECT_EQ(body_of(at + "_SCR" + std::to_string(s) + ".ptc", scr[s].size()), scr[s])
                << name << s;
        for (int b = 0; b < 4; ++b)
            EXPECT_EQ(body_of(at + "_CHR" + std::to_string(b) + ".ptc", chr[b].size()), chr[b])
                << name << b;
        EXPECT_EQ(body_of(at + "_COL.ptc", col.size()), col) << name;
    }
    // The lower screen of a package that has none fails, naming the slot.
    auto lower = run(tmp.path(), cli::run_tiled, {"tiled", "-o", "low", "--lower", "game.ptc"});
    EXPECT_EQ(lower.status, 1);
    EXPECT_NE(lower.out.find("SCR2"), std::string::npos) << lower.out;
    auto usage = run(tmp.path(), cli::run_tiled, {"tiled", "game.ptc"});
    EXPECT_EQ(usage.status, 2);
}

TEST_F(TiledCli, TiledDrawsTheExportAsRenderDoes) {
    if (!test::tiled_tools_present())
        GTEST_SKIP() << "Tiled (tiled, tmxrasterizer) is not installed";
    ASSERT_EQ(run(tmp.path(), cli::run_tiled, {"tiled", "-o", "lvl", "game.ptc"}).status, 0);
    const std::vector<std::string> layers{"SCR0", "SCR1"};
    for (const std::string& layer : layers) {
        ASSERT_EQ(run(tmp.path(), cli::run_render,
                      {"render", "-o", layer + ".png", "--screen", layer, "game.ptc"})
                      .status,
                  0);
        Picture ours;
        ASSERT_TRUE(read_picture_file(tmp.file(layer + ".png").c_str(), ours));
        const Picture tiled = test::rasterize_layer(tmp.file("lvl/game.tmx"), layer, layers);
        ASSERT_EQ(tiled.pixels.size(), ours.pixels.size()) << layer;
        int wrong = 0;
        for (size_t i = 0; i < ours.pixels.size() && wrong < 5; ++i) {
            const Rgba t = tiled.pixels[i];
            const bool ok = ours.indices[i] == 0 ? t.a == 0 : t == ours.pixels[i];
            if (!ok) ADD_FAILURE() << layer << " pixel " << i << " index " << int(ours.indices[i]);
            wrong += ok ? 0 : 1;
        }
    }
}

// A level of two layers of 16 x 16 tiles, every flip, the top one zlib data,
// drawing from an indexed tileset of few colours (every cell fits one bank).
test::LevelPlan write_test_level(const test::TempDir& tmp) {
    test::LevelPlan plan;
    plan.tile = 16;
    plan.width = 6;
    plan.height = 4;
    plan.tilesets[0].tile = 16;
    plan.tilesets[0].trans = true;
    std::mt19937 rng(4);
    std::vector<uint32_t> ground, top;
    for (uint32_t i = 0; i < plan.width * plan.height; ++i) {
        ground.push_back((1 + rng() % 8) | static_cast<uint32_t>(rng() % 8) << 29);
        top.push_back(rng() % 3 ? 0 : (1 + rng() % 8) | static_cast<uint32_t>(rng() % 8) << 29);
    }
    plan.layers = {test::layer("ground", ground), test::layer("top", top, "base64", "zlib")};
    plan.map_attributes = " backgroundcolor=\"#ff00ff\"";  // drawn by neither Tiled nor us
    test::write_file(tmp.file("level.tmx"), test::write_level_files(tmp.path(), plan));
    // Few colours, so that every cell fits one bank: colours the target keeps exactly.
    test::PngFixture png;
    png.width = 64;
    png.height = 32;
    for (uint32_t i = 0; i < 8; ++i) png.palette.push_back(0x081018u * (i + 1) * 3 & 0xF8F8F8u);
    for (uint32_t i = 0; i < png.width * png.height; ++i)
        png.pixels.push_back(static_cast<uint8_t>(rng() % 8));
    png.palette[0] = 0x0B0703;  // the fixture's trans colour: index 0 is transparent
    test::write_file(tmp.file("tiles.png"), test::make_png(png));
    return plan;
}

// The number of tiles a map summary names.
std::string tiles_said(const std::string& out) {
    const size_t at = out.find("タイル ");
    if (at == std::string::npos) return {};
    const size_t from = at + std::string("タイル ").size();
    return out.substr(from, out.find("個", from) - from);
}

// Each layer of `names` that `map` wrote into OUT/NAME_SCR<l>.ptc, rendered,
// against Tiled's drawing of NAME.tmx: transparent where Tiled leaves it so,
// elsewhere Tiled's colour (as the target holds it, unless exact_colours) with
// a non-zero colour number, or transparent: those pixels are counted.
uint32_t compare_with_tiled(const test::TempDir& tmp, const std::string& out,
                            const std::string& name, const std::vector<std::string>& names,
                            bool exact_colours) {
    uint32_t hidden = 0;
    for (size_t l = 0; l < names.size(); ++l) {
        const std::string at = out + "/" + name;
        const std::string scr =
            names.size() == 1 ? at + "_SCR.ptc" : at + "_SCR" + std::to_string(l) + ".ptc";
        auto rendered =
            run(tmp.path(), cli::run_render,
                {"render", "-o", names[l] + ".png", scr, at + "_CHR.ptc", at + "_COL.ptc"});
        EXPECT_EQ(rendered.status, 0) << rendered.out;
        Picture ours;
        if (!read_picture_file(tmp.file(names[l] + ".png").c_str(), ours)) {
            ADD_FAILURE() << names[l];
            return hidden;
        }
        const Picture tiled = test::rasterize_layer(tmp.file(name + ".tmx"), names[l], names);
        EXPECT_GT(tiled.width, 0u);
        int wrong = 0;
        for (uint32_t y = 0; y < tiled.height && wrong < 5; ++y)
            for (uint32_t x = 0; x < tiled.width; ++x) {
                const Rgba t = tiled.pixels[size_t{y} * tiled.width + x];
                const size_t o = size_t{y} * ours.width + x;
                const Rgba& p = ours.pixels[o];
                const bool same =
                    exact_colours ? p == t : rgb_to_col(p.r, p.g, p.b) == rgb_to_col(t.r, t.g, t.b);
                const bool drawn = ours.indices[o] % 16 != 0;
                if (t.a != 0 && !drawn) ++hidden;
                const bool ok = t.a == 0 ? !drawn : !drawn || same;
                if (!ok && wrong < 5) ADD_FAILURE() << names[l] << " at " << x << "," << y;
                wrong += ok ? 0 : 1;
            }
    }
    return hidden;
}

TEST(LevelMapCli, AnOpaqueLevelKeepsEveryPixelInEveryEncoding) {
    if (!test::tiled_tools_present())
        GTEST_SKIP() << "Tiled (tiled, tmxrasterizer) is not installed";
    test::TempDir tmp;
    test::reset_settings(tmp.path());
    // One room layer, every cell a tile, from an indexed tileset without a
    // `trans` colour whose index 0 is drawn, with a colour the target draws
    // as index 0's.
    std::mt19937 rng(8);
    std::vector<uint32_t> gids;
    for (uint32_t i = 0; i < 6 * 4; ++i)
        gids.push_back((1 + rng() % 8) | static_cast<uint32_t>(rng() % 8) << 29);
    test::PngFixture png;
    png.width = 32;
    png.height = 16;
    png.palette = {0x0B0703, 0x304860, 0xF8F8F8, 0x0C0704, 0x786000, 0x00A8F8, 0xF80000, 0x0000F8};
    for (uint32_t i = 0; i < png.width * png.height; ++i)
        png.pixels.push_back(static_cast<uint8_t>(rng() % 8));
    const char* encodings[][2] = {
        {"csv", ""}, {"base64", "zlib"}, {"base64", "gzip"}, {"base64", "zstd"}};
    for (const auto& e : encodings) {
        SCOPED_TRACE(std::string(e[0]) + " " + e[1]);
        const std::string name = std::string("room_") + (e[1][0] ? e[1] : e[0]);
        test::LevelPlan plan;
        plan.width = 6;
        plan.height = 4;
        plan.layers = {test::layer("room", gids, e[0], e[1])};
        test::write_file(tmp.file(name + ".tmx"), test::write_level_files(tmp.path(), plan));
        test::write_file(tmp.file("tiles.png"), test::make_png(png));
        auto out = run(tmp.path(), cli::run_map, {"map", "-o", "out", name + ".tmx"});
        ASSERT_EQ(out.status, 0) << out.out;
        EXPECT_NE(out.out.find("の画素が不透明で色番号0"), std::string::npos) << out.out;
        EXPECT_EQ(compare_with_tiled(tmp, "out", name, {"room"}, false), 0u);
        // The same files but for the resource name in their headers.
        for (const char* file : {"_SCR.ptc", "_CHR.ptc", "_COL.ptc"}) {
            const std::vector<uint8_t> made = test::read_file(tmp.file("out/" + name + file));
            const std::vector<uint8_t> csv =
                test::read_file(tmp.file(std::string("out/room_csv") + file));
            ASSERT_GT(made.size(), 36u);
            EXPECT_TRUE(std::equal(made.begin() + 36, made.end(), csv.begin() + 36, csv.end()))
                << file;
        }
    }
    // Kept by index, colour number 0 hides what Tiled draws, and the summary counts it.
    auto kept =
        run(tmp.path(), cli::run_map, {"map", "-o", "kept", "--palette", "keep", "room_csv.tmx"});
    ASSERT_EQ(kept.status, 0) << kept.out;
    const uint32_t hidden = compare_with_tiled(tmp, "kept", "room_csv", {"room"}, false);
    ASSERT_GT(hidden, 0u);
    EXPECT_NE(kept.out.find(say(kPictureKeepHides.get(), hidden)), std::string::npos) << kept.out;
}

TEST(LevelMapCli, TiledLevelMapsAndRendersToTiledsColours) {
    if (!test::tiled_tools_present())
        GTEST_SKIP() << "Tiled (tiled, tmxrasterizer) is not installed";
    test::TempDir tmp;
    test::reset_settings(tmp.path());
    write_test_level(tmp);
    auto out = run(tmp.path(), cli::run_map, {"map", "-o", "out", "level.tmx"});
    ASSERT_EQ(out.status, 0) << out.out;
    EXPECT_EQ(compare_with_tiled(tmp, "out", "level", {"ground", "top"}, true), 0u);

    // Tiled's JSON of the level gives the same bytes.
    ASSERT_TRUE(test::export_json(tmp.file("level.tmx"), tmp.file("level.json")));
    ASSERT_EQ(run(tmp.path(), cli::run_map, {"map", "-o", "json", "level.json"}).status, 0);
    for (const char* file : {"level_SCR0.ptc", "level_SCR1.ptc", "level_CHR.ptc", "level_COL.ptc"})
        EXPECT_EQ(test::read_file(tmp.file(std::string("json/") + file)),
                  test::read_file(tmp.file(std::string("out/") + file)))
            << file;
}

TEST(LevelMapCli, ReportsSetsAndTheWayBack) {
    test::TempDir tmp;
    test::reset_settings(tmp.path());
    write_test_level(tmp);
    ASSERT_EQ(run(tmp.path(), cli::run_map, {"map", "-o", "out", "level.tmx"}).status, 0);
    // The same bytes from: the level with --report (and a report of each
    // layer); the level alone as a --shared set; and the level exported by
    // `tiled` from those screens (named after them) and read back.
    const std::vector<std::vector<std::string>> runs{
        {"map", "-o", "rep", "--report", "level.tmx"},
        {"map", "-o", "set", "--shared", "level", "level.tmx"},
        {"tiled", "-o", "ex", "out/level_SCR0.ptc", "out/level_SCR1.ptc", "out/level_CHR.ptc",
         "out/level_COL.ptc"},
        {"map", "-o", "back", "--report", "ex/level.tmx"}};
    const std::string first = run(tmp.path(), cli::run_map, {"map", "-o", "out", "level.tmx"}).out;
    for (const auto& args : runs) {
        auto again = run(tmp.path(), args[0] == "map" ? cli::run_map : cli::run_tiled, args);
        ASSERT_EQ(again.status, 0) << again.out;
        if (args[0] != "map") continue;
        // Read back by character, the count is of the characters the cells use.
        EXPECT_EQ(tiles_said(again.out), tiles_said(first)) << again.out;
        for (const char* file :
             {"level_SCR0.ptc", "level_SCR1.ptc", "level_CHR.ptc", "level_COL.ptc"})
            EXPECT_EQ(test::read_file(tmp.file(args[2] + "/" + file)),
                      test::read_file(tmp.file(std::string("out/") + file)))
                << args[2] << " " << file;
    }
    for (const char* report :
         {"rep/level_SCR0_report.png", "rep/level_SCR1_report.png", "back/level_SCR1_report.png"}) {
        Picture p;
        EXPECT_TRUE(read_picture_file(tmp.file(report).c_str(), p)) << report;
    }
    // A level joins pictures in a set: one CHR and COL, each its own screens.
    auto mixed = run(tmp.path(), cli::run_map,
                     {"map", "-o", "mixed", "--shared", "all", "level.tmx", "tiles.png"});
    ASSERT_EQ(mixed.status, 0) << mixed.out;
    for (const char* file :
         {"all_CHR.ptc", "all_COL.ptc", "level_SCR0.ptc", "level_SCR1.ptc", "tiles_SCR.ptc"})
        EXPECT_FALSE(test::read_file(tmp.file(std::string("mixed/") + file)).empty()) << file;
}

}  // namespace
}  // namespace tw
