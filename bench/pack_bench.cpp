// Palette packing on pictures made from K hidden palettes of 15 colours (so K
// banks always do): 400 sets of 8 to 12 colours, the palettes drawn from a
// pool of 16 + K / 2 colours so that they overlap and a set fits several.
// (Sets of all 15 colours would give the palettes away; with a wide pool
// sets of different palettes never share a bank. Either way the first
// heuristic would already find K.) The dense case is far harder than
// pictures are: 300 sets of 8 to 10 colours from a pool of 16 + K / 4, where
// every set fits many banks and the bounds are far below K. Counters:
// banks found, K, what first-fit decreasing and overload-and-remove find, the
// lower bound, whether the minimum was proven and the search steps taken.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <numeric>
#include <random>
#include <set>
#include <string>

#include "image/colour.h"
#include "palettes/palette_pack.h"
#include "picture/picture.h"
#include "support/pack_instances.h"

namespace {

std::vector<tw::ColourSet> hidden_palette_sets(uint32_t k, uint32_t count, uint32_t seed,
                                               bool dense) {
    std::mt19937 rng(seed);
    std::vector<uint16_t> pool(16 + k / (dense ? 4 : 2));
    std::iota(pool.begin(), pool.end(), uint16_t{0});
    for (uint16_t& c : pool) c = static_cast<uint16_t>(c * 40503u + 17);
    std::vector<tw::ColourSet> palettes(k);
    for (tw::ColourSet& pal : palettes) {
        std::shuffle(pool.begin(), pool.end(), rng);
        pal.assign(pool.begin(), pool.begin() + 15);
    }
    std::vector<tw::ColourSet> sets;
    for (uint32_t i = 0; i < count; ++i) {
        tw::ColourSet s = palettes[rng() % k];
        std::shuffle(s.begin(), s.end(), rng);
        s.resize(8 + rng() % (dense ? 3 : 5));
        std::sort(s.begin(), s.end());
        sets.push_back(s);
    }
    return sets;
}

void pack(benchmark::State& state, bool dense) {
    const auto k = static_cast<uint32_t>(state.range(0));
    const std::vector<tw::ColourSet> sets =
        hidden_palette_sets(k, dense ? 300 : 400, static_cast<uint32_t>(state.range(1)), dense);
    tw::PaletteArrangement r;
    for (auto _ : state) {
        r = tw::pack_palettes(sets, tw::kDefaultPackEffort);
        benchmark::DoNotOptimize(r.banks.data());
    }
    state.counters["banks"] = r.best_count;
    state.counters["K"] = k;
    state.counters["ffd"] = tw::first_fit_decreasing(sets).bank_count;
    state.counters["oar"] = tw::overload_and_remove(sets).bank_count;
    state.counters["lower"] = r.lower_bound;
    state.counters["proven"] = r.proven;
    state.counters["steps"] = static_cast<double>(r.steps);
}
void BM_PackPalettes(benchmark::State& state) {
    pack(state, false);
}
void BM_PackPalettesDense(benchmark::State& state) {
    pack(state, true);
}
// The known-answer pictures of the tests, seeds 1 to 50 in each iteration:
// K hidden banks cut into cells (with `shared`, one colour in every bank).
// Counters: how many seeds got K banks or fewer, how many were proven, the
// worst counts of ours, first-fit decreasing and overload-and-remove, and the
// slowest seed in milliseconds.
void BM_PackHiddenBanks(benchmark::State& state) {
    const auto k = static_cast<uint32_t>(state.range(0));
    const bool shared = state.range(1) != 0;
    std::vector<std::vector<tw::ColourSet>> pictures;
    for (uint32_t seed = 1; seed <= 50; ++seed)
        pictures.push_back(tw::test::hidden_bank_cells(k, seed, shared));
    uint32_t at_k = 0, proven = 0, worst = 0;
    double slowest = 0;
    for (auto _ : state) {
        at_k = proven = worst = 0;
        for (const std::vector<tw::ColourSet>& sets : pictures) {
            const auto start = std::chrono::steady_clock::now();
            const tw::PaletteArrangement r = tw::pack_palettes(sets, tw::kDefaultPackEffort);
            const std::chrono::duration<double, std::milli> took =
                std::chrono::steady_clock::now() - start;
            slowest = std::max(slowest, took.count());
            at_k += r.best_count <= k;
            proven += r.proven;
            worst = std::max(worst, r.best_count);
        }
    }
    uint32_t ffd = 0, oar = 0;
    for (const std::vector<tw::ColourSet>& sets : pictures) {
        ffd = std::max(ffd, tw::first_fit_decreasing(sets).bank_count);
        oar = std::max(oar, tw::overload_and_remove(sets).bank_count);
    }
    state.counters["at_K"] = at_k;
    state.counters["proven"] = proven;
    state.counters["worst"] = worst;
    state.counters["ffd_worst"] = ffd;
    state.counters["oar_worst"] = oar;
    state.counters["slowest_ms"] = slowest;
}
BENCHMARK(BM_PackHiddenBanks)
    ->ArgsProduct({{4, 8, 12, 14, 15, 16}, {0, 1}})
    ->ArgNames({"K", "shared"})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

// Tilesets of shipped games (PNGs in the folder TW_PACK_TILESETS names;
// bench/data/fetch_tilesets.sh makes them): each 8 x 8 cell's opaque colours
// other than the top-left key, as target colours, cells of more than 15 left
// out. Beside first-fit decreasing and overload-and-remove, first fit over
// 20000 shuffled orders ("rff").
std::vector<tw::ColourSet> tileset_cells(const tw::Picture& p) {
    const tw::Rgba key = p.pixels.empty() ? tw::Rgba{} : p.pixels[0];
    std::set<tw::ColourSet> cells;
    for (uint32_t cy = 0; cy + 8 <= p.height; cy += 8)
        for (uint32_t cx = 0; cx + 8 <= p.width; cx += 8) {
            std::set<uint16_t> colours;
            for (uint32_t y = cy; y < cy + 8; ++y)
                for (uint32_t x = cx; x < cx + 8; ++x) {
                    const tw::Rgba c = p.pixels[size_t{y} * p.width + x];
                    if (c.a < 128 || (c.r == key.r && c.g == key.g && c.b == key.b)) continue;
                    colours.insert(tw::rgb_to_col(c.r, c.g, c.b));
                }
            if (!colours.empty() && colours.size() <= tw::kBankColours)
                cells.emplace(colours.begin(), colours.end());
        }
    return {cells.begin(), cells.end()};
}

uint32_t random_first_fit_banks(const std::vector<tw::ColourSet>& sets, uint32_t rounds) {
    std::mt19937 rng(1);
    std::vector<uint32_t> order(sets.size());
    std::iota(order.begin(), order.end(), 0u);
    uint32_t best = UINT32_MAX;
    for (uint32_t r = 0; r < rounds; ++r) {
        std::shuffle(order.begin(), order.end(), rng);
        std::vector<tw::ColourSet> banks;
        for (uint32_t i : order) {
            size_t b = 0;
            for (; b < banks.size(); ++b) {
                tw::ColourSet u;
                std::set_union(banks[b].begin(), banks[b].end(), sets[i].begin(), sets[i].end(),
                               std::back_inserter(u));
                if (u.size() <= tw::kBankColours) {
                    banks[b] = u;
                    break;
                }
            }
            if (b == banks.size()) banks.push_back(sets[i]);
        }
        best = std::min(best, static_cast<uint32_t>(banks.size()));
    }
    return best;
}

void BM_PackTileset(benchmark::State& state, const std::string& path) {
    tw::Picture p;
    if (!tw::read_picture_file(path.c_str(), p)) {
        state.SkipWithError("cannot read the tileset");
        return;
    }
    const std::vector<tw::ColourSet> sets = tileset_cells(p);
    tw::PaletteArrangement r;
    for (auto _ : state) {
        r = tw::pack_palettes(sets, tw::kDefaultPackEffort);
        benchmark::DoNotOptimize(r.banks.data());
    }
    state.counters["cells"] = static_cast<double>(sets.size());
    state.counters["banks"] = r.best_count;
    state.counters["lower"] = r.lower_bound;
    state.counters["proven"] = r.proven;
    state.counters["ffd"] = tw::first_fit_decreasing(sets).bank_count;
    state.counters["oar"] = tw::overload_and_remove(sets).bank_count;
    state.counters["rff"] = random_first_fit_banks(sets, 20000);
}

const bool kTilesetsRegistered = [] {
    const char* dir = std::getenv("TW_PACK_TILESETS");
    if (!dir) return false;
    std::vector<std::filesystem::path> files;
    for (const auto& e : std::filesystem::directory_iterator(dir))
        if (e.path().extension() == ".png") files.push_back(e.path());
    std::sort(files.begin(), files.end());
    for (const auto& f : files)
        benchmark::RegisterBenchmark(("BM_PackTileset/" + f.stem().string()).c_str(),
                                     BM_PackTileset, f.string())
            ->Unit(benchmark::kMillisecond)
            ->Iterations(1);
    return true;
}();

BENCHMARK(BM_PackPalettes)
    ->ArgsProduct({{4, 8, 12, 16}, {1, 2, 3}})
    ->ArgNames({"K", "seed"})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PackPalettesDense)
    ->ArgsProduct({{4, 8, 12, 16}, {1}})
    ->ArgNames({"K", "seed"})
    ->Unit(benchmark::kMillisecond);

}  // namespace
