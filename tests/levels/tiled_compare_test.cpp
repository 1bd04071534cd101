// Levels drawn by Tiled's own tmxrasterizer and converted by Tiled to JSON:
// our drawing must match every pixel, and the JSON must read to the same pictures.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "common/failure.h"
#include "levels/level.h"
#include "levels/level_draw.h"
#include "levels/level_fixtures.h"
#include "support/temp_dir.h"

namespace tw {
namespace {

using test::LevelPlan;
using test::TilesetSpec;

// Every flip combination in turn, tiles from both tilesets, some cells empty.
std::vector<uint32_t> all_flips(size_t count, uint32_t tiles, uint32_t seed) {
    std::vector<uint32_t> gids;
    for (size_t i = 0; i < count; ++i) {
        seed = seed * 1103515245u + 12345u;
        const uint32_t id = (seed >> 8) % (tiles + 1);
        gids.push_back(id == 0 ? 0 : id | static_cast<uint32_t>(i % 8) << 29);
    }
    return gids;
}

// Each pixel of ours against Tiled's, the first differences named.
void expect_same(const Picture& ours, const Picture& tiled, const std::string& what) {
    ASSERT_EQ(ours.width, tiled.width) << what;
    ASSERT_EQ(ours.height, tiled.height) << what;
    int shown = 0;
    for (size_t i = 0; i < ours.pixels.size() && shown < 5; ++i) {
        const Rgba a = ours.pixels[i], b = tiled.pixels[i];
        if (a == b) continue;
        ++shown;
        ADD_FAILURE() << what << " at " << i % ours.width << "," << i / ours.width << ": ours "
                      << int(a.r) << "," << int(a.g) << "," << int(a.b) << "," << int(a.a)
                      << " Tiled's " << int(b.r) << "," << int(b.g) << "," << int(b.b) << ","
                      << int(b.a);
    }
}

// tmxrasterizer widens its picture by every layer's offset; the map is the
// part from the most negative offsets on.
Picture map_part(const Picture& drawn, const LevelPlan& plan) {
    int32_t left = 0, top = 0;
    for (const test::LayerSpec& l : plan.layers) {
        left = std::max(left, -l.offset_x);
        top = std::max(top, -l.offset_y);
    }
    Picture out;
    out.width = plan.width * plan.tile;
    out.height = plan.height * plan.tile;
    for (uint32_t y = 0; y < out.height; ++y)
        for (uint32_t x = 0; x < out.width; ++x) {
            const size_t from =
                (y + static_cast<uint32_t>(top)) * static_cast<size_t>(drawn.width) + x +
                static_cast<uint32_t>(left);
            out.pixels.push_back(from < drawn.pixels.size() ? drawn.pixels[from]
                                                            : Rgba{1, 2, 3, 4});
        }
    return out;
}

TEST(LevelTiled, DrawingMatchesTiledAndJsonReadsTheSame) {
    if (!test::tiled_tools_present())
        GTEST_SKIP() << "Tiled (tiled, tmxrasterizer) is not installed";
    const char* encodings[][2] = {{"csv", ""},        {"base64", ""},     {"base64", "zlib"},
                                  {"base64", "gzip"}, {"base64", "zstd"}, {"csv", ""}};
    uint32_t seed = 3;
    int variant = 0;
    for (const auto& e : encodings)
        for (uint32_t tile : {8u, 16u}) {
            ++variant;
            test::TempDir dir;
            LevelPlan plan;
            plan.tile = tile;
            plan.width = 5;
            plan.height = 4;
            TilesetSpec first;
            first.tile = tile;
            first.margin = variant % 3 == 0 ? 2 : 0;
            first.spacing = variant % 2 ? 1 : 0;
            first.external = variant % 2 == 0;
            TilesetSpec second = first;
            second.name = "more";
            second.seed = 99;
            second.trans = true;
            second.external = !first.external;
            plan.tilesets = {first, second};
            const size_t n = plan.width * plan.height;
            plan.layers = {test::layer("ground", all_flips(n, 16, ++seed), e[0], e[1]),
                           test::layer("top", all_flips(n, 16, ++seed), e[0], e[1])};
            plan.layers[1].offset_x = variant % 2 ? 8 : -16;
            plan.layers[1].offset_y = variant % 3 ? 0 : 8;
            if (variant % 4 == 0) plan.layers[1].group = "front";
            const std::string tmx = dir.file("level.tmx");
            test::write_file(tmx, test::write_level_files(dir.path(), plan));
            SCOPED_TRACE(std::string(e[0]) + "/" + e[1] + " tile " + std::to_string(tile) +
                         " variant " + std::to_string(variant));

            Level level;
            ASSERT_TRUE(read_level_file(tmx.c_str(), level)) << last_failure();
            ASSERT_EQ(level.layers.size(), 2u);
            const std::vector<std::string> names{"ground", "top"};
            std::vector<Picture> ours;
            for (size_t i = 0; i < 2; ++i) {
                ours.push_back(draw_level_layer(level, i));
                expect_same(ours[i], map_part(test::rasterize_layer(tmx, names[i], names), plan),
                            names[i]);
                // One palette in both tilesets: the drawing is indexed, and agrees with itself.
                ASSERT_TRUE(ours[i].indexed);
                for (size_t p = 0; p < ours[i].pixels.size(); ++p) {
                    if (ours[i].pixels[p].a != 0) {
                        ASSERT_EQ(ours[i].palette[ours[i].indices[p]], ours[i].pixels[p]);
                    }
                }
            }

            const std::string json = dir.file("level.tmj");
            ASSERT_TRUE(test::export_json(tmx, json));
            Level from_json;
            ASSERT_TRUE(read_level_file(json.c_str(), from_json)) << last_failure();
            ASSERT_EQ(from_json.layers.size(), 2u);
            for (size_t i = 0; i < 2; ++i) {
                EXPECT_EQ(from_json.layers[i].gids, level.layers[i].gids);
                const Picture again = draw_level_layer(from_json, i);
                EXPECT_TRUE(again.pixels == ours[i].pixels && again.indices == ours[i].indices &&
                            again.width == ours[i].width)
                    << names[i];
            }
        }
}

}  // namespace
}  // namespace tw
