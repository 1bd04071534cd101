// BG maps: a picture to de-duplicated tiles and a screen, and a screen drawn
// back, for square pictures of 128 to 512 pixels. At 512 x 512 the picture
// holds 1000 distinct tiles; smaller ones keep that share of their cells, so
// the fitted complexity shows time linear in the cells.

#include <benchmark/benchmark.h>

#include <memory>
#include <random>

#include "image/colour.h"
#include "maps/picture_map.h"
#include "maps/screen_render.h"
#include "maps/tile_map.h"

namespace {

// Lays cells of 8 x 8 in rows of `across`: the first `distinct` cells each hold
// their own tile, the others repeat one of those at random, mirrored at random.
// put(tile, x, y, at) places pixel (x, y) of the tile at pixel `at` of the
// picture.
template <class Put>
void lay_cells(uint32_t across, uint32_t cells, uint32_t distinct, std::mt19937& rng, Put put) {
    for (uint32_t cell = 0; cell < cells; ++cell) {
        const uint32_t r = static_cast<uint32_t>(rng());
        const uint32_t tile = cell < distinct ? cell : r % distinct;
        const bool mx = cell >= distinct && (r & 1 << 20), my = cell >= distinct && (r & 1 << 21);
        for (uint32_t y = 0; y < 8; ++y)
            for (uint32_t x = 0; x < 8; ++x)
                put(tile, mx ? 7 - x : x, my ? 7 - y : y,
                    (cell / across * 8 + y) * across * 8 + cell % across * 8 + x);
    }
}

// A side x side picture: about 1000 / 4096 of its cells hold tiles of their own,
// the others repeat those, mirrored at random; palettes vary by cell.
tw::BmpImage picture(int32_t side) {
    const uint32_t cells_across = static_cast<uint32_t>(side) / 8;
    const uint32_t cells = cells_across * cells_across;
    const uint32_t distinct = cells * 1000 / 4096;
    std::mt19937 rng(3);
    std::vector<uint8_t> tiles(size_t{distinct} * 64);
    for (auto& v : tiles) v = static_cast<uint8_t>(rng() % 16 | 1);
    tw::BmpImage img{};
    img.width = img.height = side;
    img.pixel_count = static_cast<uint32_t>(side * side);
    img.pixels.reset(new uint8_t[img.pixel_count]);
    lay_cells(cells_across, cells, distinct, rng,
              [&](uint32_t tile, uint32_t x, uint32_t y, uint32_t at) {
                  img.pixels[at] =
                      static_cast<uint8_t>(tiles[tile * 64 + y * 8 + x] | (tile % 16) << 4);
              });
    return img;
}

void BM_MapPicture(benchmark::State& state) {
    const auto side = static_cast<int32_t>(state.range(0));
    tw::BmpImage img = picture(side);
    auto map = std::make_unique<tw::TileMap>();
    for (auto _ : state) {
        if (!tw::build_tile_map(img, true, *map)) state.SkipWithError("map failed");
        benchmark::DoNotOptimize(map->tiles.data());
    }
    state.counters["tiles"] = static_cast<double>(map->tiles.size());
    state.SetComplexityN(int64_t{side} * side / 64);
}
BENCHMARK(BM_MapPicture)
    ->Arg(128)
    ->Arg(256)
    ->Arg(512)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

// A 512 x 512 RGBA picture as a paint program saves it: 1000 distinct tiles
// (the other cells repeat them, mirrored at random), each drawing at most 15
// colours from one of 12 hidden palettes of 15, colour 0 transparent by alpha.
// So `map` must arrange 12 banks itself.
tw::Picture true_colour_picture() {
    constexpr uint32_t side = 512, across = side / 8, cells = across * across, distinct = 1000,
                       kinds = 12;
    std::mt19937 rng(7);
    std::vector<tw::Rgba> hidden;  // kinds x 15, distinct once made target colours
    std::vector<bool> seen(65536);
    while (hidden.size() < kinds * 15) {
        const uint32_t c = static_cast<uint32_t>(rng());
        const tw::Rgba p{static_cast<uint8_t>(c), static_cast<uint8_t>(c >> 8),
                         static_cast<uint8_t>(c >> 16), 255};
        const uint16_t key = tw::rgb_to_col(p.r, p.g, p.b);
        if (!seen[key]) {
            seen[key] = true;
            hidden.push_back(p);
        }
    }
    std::vector<uint8_t> tiles(size_t{distinct} * 64);  // 0 transparent, else 1-15
    for (uint32_t t = 0; t < distinct; ++t) {
        const uint32_t used =
            static_cast<uint32_t>(4 + rng() % 12);  // colours this tile draws from its palette
        for (uint32_t i = 0; i < 64; ++i)
            tiles[t * 64 + i] = static_cast<uint8_t>(rng() % 8 == 0 ? 0 : 1 + rng() % used);
    }
    tw::Picture img;
    img.width = img.height = side;
    img.pixels.resize(size_t{side} * side);
    lay_cells(
        across, cells, distinct, rng, [&](uint32_t tile, uint32_t x, uint32_t y, uint32_t at) {
            const uint8_t v = tiles[tile * 64 + y * 8 + x];
            img.pixels[at] = v == 0 ? tw::Rgba{0, 0, 0, 0} : hidden[tile % kinds * 15 + v - 1];
        });
    return img;
}

void BM_MapTrueColourPicture(benchmark::State& state) {
    const tw::Picture img = true_colour_picture();
    tw::MapScreens map;
    for (auto _ : state) {
        map = tw::MapScreens{};
        if (!tw::map_pictures({&img}, {}, tw::PictureOptions{}, map))
            return state.SkipWithError("map failed");
        benchmark::DoNotOptimize(map.tiles.data());
    }
    state.counters["tiles"] = static_cast<double>(map.tiles.size());
    state.counters["banks"] = map.summaries.empty() ? 0 : map.summaries[0].bank_count;
    state.counters["fewest"] = map.summaries.empty() ? 0 : map.summaries[0].fewest;
}
// The goal is a median under 50 ms.
BENCHMARK(BM_MapTrueColourPicture)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

void BM_RenderScreen(benchmark::State& state) {
    const auto side = static_cast<uint32_t>(state.range(0));
    tw::BmpImage img = picture(512);
    auto map = std::make_unique<tw::TileMap>();
    auto sources = std::make_unique<tw::ScreenSources>();
    if (!tw::build_tile_map(img, true, *map)) return state.SkipWithError("map failed");
    std::copy(&map->cells[0][0], &map->cells[0][0] + 4096, &sources->cells[0][0]);
    for (uint32_t b = 0; b < tw::tile_map_chr_count(*map); ++b) {
        tw::ResourceBuffer chr = tw::tile_map_chr(*map, b);
        sources->banks[b].assign(chr.body(), chr.body() + chr.body_length());
    }
    std::vector<uint8_t> pixels;
    for (auto _ : state) {
        if (!tw::render_screen(*sources, tw::Crop{0, 0, side, side}, pixels))
            state.SkipWithError("render failed");
        benchmark::DoNotOptimize(pixels.data());
    }
    state.SetComplexityN(int64_t{side} * side / 64);
}
BENCHMARK(BM_RenderScreen)
    ->Arg(128)
    ->Arg(256)
    ->Arg(512)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

}  // namespace
