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
#include <numeric>
#include <random>

#include "palettes/palette_pack.h"
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

BENCHMARK(BM_PackPalettes)
    ->ArgsProduct({{4, 8, 12, 16}, {1, 2, 3}})
    ->ArgNames({"K", "seed"})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PackPalettesDense)
    ->ArgsProduct({{4, 8, 12, 16}, {1}})
    ->ArgNames({"K", "seed"})
    ->Unit(benchmark::kMillisecond);

}  // namespace
