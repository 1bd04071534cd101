#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "common/failure.h"
#include "common/text.h"
#include "levels/gid.h"
#include "levels/level.h"
#include "levels/level_draw.h"
#include "levels/level_fixtures.h"
#include "levels/tmx_writer.h"
#include "resources/texts.h"
#include "support/png_writer.h"
#include "support/temp_dir.h"

namespace tw {
namespace {

using test::LevelPlan;
using test::TilesetSpec;

template <typename... Args>
std::string english(const Text& text, Args... args) {
    char buf[512];
    std::snprintf(buf, sizeof buf, text.en, args...);
    return buf;
}

class LevelRead : public ::testing::Test {
  protected:
    void SetUp() override { set_language(LANGUAGE_EN); }
    void TearDown() override { set_language(LANGUAGE_JA); }

    // Writes the level as map.tmx (after `edit`) and reads it back.
    bool read(const LevelPlan& plan, Level& level, std::string (*edit)(std::string) = nullptr) {
        std::string tmx = test::write_level_files(dir.path(), plan);
        if (edit) tmx = edit(tmx);
        test::write_file(dir.file("map.tmx"), tmx);
        clear_failure();
        return read_level_file(dir.file("map.tmx").c_str(), level);
    }
    test::TempDir dir;
};

std::vector<uint32_t> pattern(size_t count, uint32_t tiles, uint32_t seed) {
    std::vector<uint32_t> gids;
    for (size_t i = 0; i < count; ++i) {
        seed = seed * 1103515245u + 12345u;
        const uint32_t id = (seed >> 8) % (tiles + 1);
        gids.push_back(id == 0 ? 0 : id | ((seed >> 24) & 7u) << 29);
    }
    return gids;
}

// Every data encoding, tilesets embedded or not, tiles of 8 and 16: the same ids.
TEST_F(LevelRead, EveryEncodingGivesTheSameIds) {
    const char* encodings[][2] = {{"csv", ""},        {"base64", ""},     {"base64", "zlib"},
                                  {"base64", "gzip"}, {"base64", "zstd"}, {"", ""}};
    uint32_t seed = 7;
    for (const auto& e : encodings)
        for (uint32_t tile : {8u, 16u})
            for (bool external : {false, true}) {
                LevelPlan plan;
                plan.tile = tile;
                plan.tilesets[0].tile = tile;
                plan.tilesets[0].external = external;
                plan.layers.push_back(test::layer("ground", pattern(12, 8, ++seed), e[0], e[1]));
                Level level;
                const bool ok = read(plan, level);
                SCOPED_TRACE(std::string(e[0]) + "/" + e[1]);
#ifdef _WIN32
                if (std::string(e[1]) == "zstd") {
                    EXPECT_FALSE(ok);
                    EXPECT_STREQ(last_failure(), english(kLevelZstdWindows, "ground").c_str());
                    continue;
                }
#endif
                ASSERT_TRUE(ok) << last_failure();
                ASSERT_EQ(level.layers.size(), 1u);
                EXPECT_EQ(level.layers[0].gids, plan.layers[0].gids);
                EXPECT_EQ(level.tile_width, tile);
                EXPECT_EQ(level.tilesets[0].tile_count, 8u);
                EXPECT_EQ(level.tilesets[0].source, external ? "tiles.tsx" : "");
            }
}

TEST_F(LevelRead, WhatIsNotDrawnIsCounted) {
    LevelPlan plan;
    plan.map_attributes = " class=\"level\"";
    plan.tilesets[0].extra_attributes = " class=\"set\"";
    plan.layers = {test::layer("a", pattern(12, 8, 1)), test::layer("hidden", pattern(12, 8, 2)),
                   test::layer("b", pattern(12, 8, 3)), test::layer("c", pattern(12, 8, 4))};
    plan.layers[1].visible = plan.layers[3].visible = false;
    plan.layers[2].offset_x = 8;
    plan.layers[2].offset_y = -16;
    plan.layers[2].group = plan.layers[3].group = "g";
    plan.layers[2].extra_attributes = " opacity=\"0.5\"";
    Level level;
    ASSERT_TRUE(read(plan, level, [](std::string tmx) {
        const std::string more =
            " <properties><property name=\"k\" value=\"a &amp; b\"/>"
            "<property name=\"long\">two\nlines</property></properties>\n"
            " <objectgroup id=\"9\" name=\"things\"/>\n <imagelayer id=\"8\" name=\"sky\"/>\n"
            " <group name=\"off\" visible=\"0\"><layer name=\"x\" width=\"1\" height=\"1\"/>"
            "</group>\n";
        return tmx.insert(tmx.find(" <tileset"), more);
    })) << last_failure();
    ASSERT_EQ(level.layers.size(), 2u);
    EXPECT_EQ(level.layers[1].name, "b");
    EXPECT_EQ(level.layers[1].offset_x, 8);
    EXPECT_EQ(level.layers[1].offset_y, -16);
    EXPECT_EQ(level.hidden_tile_layers, 3u);
    EXPECT_EQ(level.object_layers, 1u);
    EXPECT_EQ(level.image_layers, 1u);
    EXPECT_EQ(level.faded_layers, std::vector<std::string>{"b"});
    EXPECT_EQ(level.map_class, "level");
    const LevelProperties properties{{"k", "a & b"}, {"long", "two\nlines"}};
    EXPECT_EQ(level.properties, properties);
}

// Each refusal with its reason; the level just inside each limit is read.
TEST_F(LevelRead, RefusalsNameTheirCause) {
    struct Case {
        const char* what;
        std::string reason;
        void (*change)(LevelPlan&);
        std::string (*edit)(std::string);
    };
    const std::string image = dir.file("nowhere/none.png");
    const Case cases[] = {
        {"isometric", english(kLevelNotOrthogonal, "isometric"), nullptr,
         [](std::string s) { return s.replace(s.find("orthogonal"), 10, "isometric"); }},
        {"infinite", english(kLevelInfinite), nullptr,
         [](std::string s) { return s.replace(s.find("infinite=\"0\""), 12, "infinite=\"1\""); }},
        {"wide", english(kLevelTooLarge, 65ull, 3ull),
         [](LevelPlan& s) { s.width = 65, s.layers[0].gids.assign(65 * 3, 1); }, nullptr},
        {"tall 16", english(kLevelTooLarge, 8ull, 66ull),
         [](LevelPlan& s) {
             s.tile = s.tilesets[0].tile = 16;
             s.width = 4, s.height = 33, s.layers[0].gids.assign(4 * 33, 1);
         },
         nullptr},
        {"tile 12", english(kLevelTileSize, 12u, 12u),
         [](LevelPlan& s) { s.tile = s.tilesets[0].tile = 12; }, nullptr},
        {"three layers", english(kLevelTooManyLayers, "third"),
         [](LevelPlan& s) {
             s.layers.push_back(s.layers[0]);
             s.layers.push_back(s.layers[0]);
             s.layers[2].name = "third";
         },
         nullptr},
        {"tileset tile size", english(kLevelTilesetTileSize, "tiles", 16u, 16u, 8u, 8u),
         [](LevelPlan& s) { s.tilesets[0].tile = 16; }, nullptr},
        {"hexagonal flag", english(kLevelHexFlag, "ground", 1u, 2u),
         [](LevelPlan& s) { s.layers[0].gids[9] = 2 | kGidHexRotation; }, nullptr},
        {"unknown tile", english(kLevelUnknownTile, "ground", 9u, 3u, 0u),
         [](LevelPlan& s) { s.layers[0].gids[3] = 9; }, nullptr},
        {"offset", english(kLevelOffset, "ground", "4", "0"),
         [](LevelPlan& s) { s.layers[0].offset_x = 4; }, nullptr},
        {"group offset", english(kLevelOffset, "g", "0", "8.5"), nullptr,
         [](std::string s) {
             s.insert(s.find("</map>"), "</group>");
             return s.insert(s.find(" <layer"), "<group name=\"g\" offsety=\"8.5\">");
         }},
        {"image collection", english(kLevelImageCollection, "many"), nullptr,
         [](std::string s) {
             return s.insert(s.find(" <layer"),
                             "<tileset firstgid=\"9\" name=\"many\" tilewidth=\"8\" "
                             "tileheight=\"8\"><tile id=\"0\" type=\"x\"><image "
                             "source=\"a.png\"/></tile></tileset>");
         }},
        {"missing image", english(kLevelImageMissing, "tiles", "nowhere/none.png", image.c_str()),
         [](LevelPlan& s) { s.tilesets[0].image_source = "nowhere/none.png"; }, nullptr},
        {"data count", english(kLevelDataCount, "ground", size_t{11}, size_t{12}),
         [](LevelPlan& s) { s.layers[0].gids.pop_back(); }, nullptr},
        {"compression", english(kLevelCompression, "ground", "lzma"),
         [](LevelPlan& s) { s.layers[0].encoding = "base64", s.layers[0].compression = "lzma"; },
         nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        LevelPlan plan;
        plan.layers.push_back(test::layer("ground", std::vector<uint32_t>(12, 1)));
        if (c.change) c.change(plan);
        Level level;
        EXPECT_FALSE(read(plan, level, c.edit));
        EXPECT_EQ(last_failure(), c.reason);
    }
    // Just inside: 64 x 64 cells, two visible layers and a hidden third, offsets of 8.
    LevelPlan plan;
    plan.tile = plan.tilesets[0].tile = 16;
    plan.width = plan.height = 32;
    plan.layers = {test::layer("a", pattern(1024, 8, 5)), test::layer("b", pattern(1024, 8, 6)),
                   test::layer("c", pattern(1024, 8, 7))};
    plan.layers[2].visible = false;
    plan.layers[1].offset_x = -8;
    Level level;
    EXPECT_TRUE(read(plan, level)) << last_failure();
}

TEST_F(LevelRead, BrokenFilesNameThePlace) {
    const std::string tmx = dir.file("broken.tmx"), tmj = dir.file("deep.tmj");
    test::write_file(tmx, "<map>\n<x></y></map>");
    std::string deep;
    for (int i = 0; i < 100; ++i) deep += "{\"a\":";
    test::write_file(tmj, deep);
    Level level;
    EXPECT_FALSE(read_level_file(tmx.c_str(), level));
    EXPECT_EQ(last_failure(), english(kLevelXmlBroken, tmx.c_str(), 2u));
    EXPECT_FALSE(read_level_file(tmj.c_str(), level));
    EXPECT_EQ(last_failure(), english(kLevelJsonBroken, tmj.c_str(), size_t{321}));
    test::write_file(tmj, "{\"orientation\": 1,");
    EXPECT_FALSE(read_level_file(tmj.c_str(), level));
    EXPECT_EQ(last_failure(), english(kLevelJsonBroken, tmj.c_str(), size_t{19}));
}

// Our own maps and tilesets read back tile for tile.
TEST_F(LevelRead, WrittenLevelsReadBack) {
    TmxDocument d;
    d.width = 64;
    d.height = 3;
    d.name = "stage";
    d.tilesets = {{0, 1}, {3, 1025}};
    d.layers = {{"SCR0", pattern(64 * 3, 2048, 1)}, {"SCR1", pattern(64 * 3, 2048, 2)}};
    d.properties = {{"tilewright", "1"}, {"note", "<a & \"b\">\n\tc"}};
    for (uint32_t bank : {0u, 3u}) {
        test::PngFixture png;
        png.width = png.height = 256;
        png.palette = {0, 0xFFFFFF};
        png.pixels.assign(256 * 256, static_cast<uint8_t>(bank & 1));
        test::write_file(dir.file("stage_P" + std::to_string(bank) + ".png"), test::make_png(png));
        test::write_file(dir.file(tsx_file_name("stage", bank)),
                         write_tsx("stage_P" + std::to_string(bank),
                                   "stage_P" + std::to_string(bank) + ".png", 256, 256));
    }
    test::write_file(dir.file("stage.tmx"), write_tmx(d));
    Level level;
    ASSERT_TRUE(read_level_file(dir.file("stage.tmx").c_str(), level)) << last_failure();
    ASSERT_EQ(level.layers.size(), 2u);
    for (size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(level.layers[i].name, d.layers[i].name);
        EXPECT_EQ(level.layers[i].gids, d.layers[i].gids);
    }
    EXPECT_EQ(level.properties, d.properties);
    ASSERT_EQ(level.tilesets.size(), 2u);
    EXPECT_EQ(level.tilesets[1].source, "stage_P3.tsx");
    EXPECT_EQ(level.tilesets[1].first_gid, 1025u);
    EXPECT_EQ(level.tilesets[1].tile_count, kTsxTileCount);
    EXPECT_EQ(level.tilesets[1].columns, kTsxColumns);
}

TEST_F(LevelRead, WriterBytes) {
    EXPECT_EQ(write_tsx("a&b", "x\"y.png", 256, 256),
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
              "<tileset version=\"1.8\" tiledversion=\"1.8.2\" name=\"a&amp;b\" tilewidth=\"8\" "
              "tileheight=\"8\" tilecount=\"1024\" columns=\"32\">\n"
              " <image source=\"x&quot;y.png\" width=\"256\" height=\"256\"/>\n"
              "</tileset>\n");
    TmxDocument d;
    d.width = 2;
    d.height = 2;
    d.name = "m";
    d.tilesets = {{1, 1}};
    d.layers = {{"SCR0", {1, 2, 3, 0x80000004u}}};
    EXPECT_EQ(write_tmx(d),
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
              "<map version=\"1.8\" tiledversion=\"1.8.2\" orientation=\"orthogonal\" "
              "renderorder=\"right-down\" width=\"2\" height=\"2\" tilewidth=\"8\" "
              "tileheight=\"8\" infinite=\"0\" nextlayerid=\"2\" nextobjectid=\"1\">\n"
              " <tileset firstgid=\"1\" source=\"m_P1.tsx\"/>\n"
              " <layer id=\"1\" name=\"SCR0\" width=\"2\" height=\"2\">\n"
              "  <data encoding=\"csv\">\n1,2,\n3,2147483652\n</data>\n"
              " </layer>\n"
              "</map>\n");
}

}  // namespace
}  // namespace tw
