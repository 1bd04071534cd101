#include "palettes/palette_pack.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>

#include "support/pack_instances.h"

namespace tw {
namespace {

uint32_t draw(std::mt19937& rng, uint32_t below) {
    return static_cast<uint32_t>(rng() % below);
}

struct Instance {
    std::vector<ColourSet> sets;
    uint32_t hidden = 0;  // the sets were drawn from this many palettes
};

// Sets drawn from `k` palettes of 15 colours taken from a small pool, so that
// palettes overlap and a set may fit several of them.
Instance hidden_palettes(std::mt19937& rng, uint32_t k, uint32_t count, uint32_t min_size) {
    const uint32_t pool = 15 + draw(rng, 15 * k);
    std::vector<uint16_t> colours(pool);
    std::iota(colours.begin(), colours.end(), uint16_t{0});
    for (uint16_t& c : colours) c = static_cast<uint16_t>(c * 2477u + 9);
    std::vector<ColourSet> palettes(k);
    for (ColourSet& pal : palettes) {
        std::shuffle(colours.begin(), colours.end(), rng);
        pal.assign(colours.begin(), colours.begin() + 15);
    }
    Instance in;
    in.hidden = k;
    for (uint32_t i = 0; i < count; ++i) {
        ColourSet pal = palettes[rng() % k];
        std::shuffle(pal.begin(), pal.end(), rng);
        pal.resize(min_size + rng() % (16 - min_size));
        std::sort(pal.begin(), pal.end());
        in.sets.push_back(pal);
    }
    return in;
}

bool holds(const ColourSet& bank, const ColourSet& set) {
    return std::includes(bank.begin(), bank.end(), set.begin(), set.end());
}

// Banks of a heuristic packing stay within 15 colours.
void expect_valid_packing(const std::vector<ColourSet>& sets, const Packing& packing) {
    std::vector<ColourSet> banks(packing.bank_count);
    for (size_t i = 0; i < sets.size(); ++i) {
        ASSERT_LT(packing.bank_of_set[i], packing.bank_count);
        ColourSet& b = banks[packing.bank_of_set[i]];
        b.insert(b.end(), sets[i].begin(), sets[i].end());
    }
    for (ColourSet& b : banks) {
        std::sort(b.begin(), b.end());
        EXPECT_LE(std::unique(b.begin(), b.end()) - b.begin(), int{kBankColours});
    }
}

// Every placed set lies in its bank, which is the lowest holding it; banks are
// numbered in order of first use, hold exactly their sets' colours ascending.
void expect_canonical(const std::vector<ColourSet>& sets, const PaletteArrangement& r,
                      uint32_t max_banks) {
    ASSERT_EQ(r.bank_of_set.size(), sets.size());
    EXPECT_LE(r.banks.size(), max_banks);
    std::vector<ColourSet> unions(r.banks.size());
    uint32_t next = 0;
    std::vector<uint32_t> left;
    for (uint32_t i = 0; i < sets.size(); ++i) {
        const uint32_t b = r.bank_of_set[i];
        if (b == kNoBank) {
            left.push_back(i);
            continue;
        }
        ASSERT_LT(b, r.banks.size());
        EXPECT_LE(b, next) << "set " << i;
        next = std::max(next, b + 1);
        EXPECT_TRUE(holds(r.banks[b], sets[i])) << "set " << i;
        for (uint32_t lower = 0; lower < b; ++lower)
            EXPECT_FALSE(holds(r.banks[lower], sets[i])) << "set " << i << " bank " << lower;
        unions[b].insert(unions[b].end(), sets[i].begin(), sets[i].end());
    }
    EXPECT_EQ(next, r.banks.size());
    for (size_t b = 0; b < r.banks.size(); ++b) {
        std::sort(unions[b].begin(), unions[b].end());
        unions[b].erase(std::unique(unions[b].begin(), unions[b].end()), unions[b].end());
        EXPECT_EQ(r.banks[b], unions[b]);
        EXPECT_LE(r.banks[b].size(), kBankColours);
    }
    EXPECT_EQ(r.left_over, left);
    EXPECT_EQ(r.fits, left.empty());
}

TEST(PalettePack, HiddenPalettesProperty) {
    std::mt19937 rng(7);
    for (int round = 0; round < 300; ++round) {
        const uint32_t k = 1 + draw(rng, 16);
        const Instance in = hidden_palettes(rng, k, 1 + draw(rng, 150), 1 + draw(rng, 12));
        const PaletteArrangement r = pack_palettes(in.sets, 20000);
        SCOPED_TRACE(testing::Message() << "round " << round << " k " << k);
        expect_canonical(in.sets, r, kMaxBanks);
        const Packing ffd = first_fit_decreasing(in.sets);
        const Packing oar = overload_and_remove(in.sets);
        expect_valid_packing(in.sets, ffd);
        expect_valid_packing(in.sets, oar);
        ASSERT_TRUE(r.fits);
        EXPECT_EQ(r.banks.size(), r.best_count);
        EXPECT_LE(r.best_count, ffd.bank_count);
        EXPECT_LE(r.best_count, oar.bank_count);
        EXPECT_LE(r.best_count, in.hidden);
        EXPECT_LE(r.lower_bound, r.best_count);
        EXPECT_TRUE(r.proven || r.lower_bound < r.best_count);
        std::vector<uint16_t> all;
        for (const ColourSet& s : in.sets) all.insert(all.end(), s.begin(), s.end());
        std::sort(all.begin(), all.end());
        const auto distinct =
            static_cast<uint32_t>(std::unique(all.begin(), all.end()) - all.begin());
        EXPECT_GE(r.lower_bound, (distinct + 14) / 15);
        const PaletteArrangement again = pack_palettes(in.sets, 20000);
        EXPECT_EQ(again.banks, r.banks);
        EXPECT_EQ(again.bank_of_set, r.bank_of_set);
        EXPECT_EQ(again.steps, r.steps);
    }
}

ColourSet run(uint32_t first, uint32_t last) {
    ColourSet s(last - first + 1);
    std::iota(s.begin(), s.end(), static_cast<uint16_t>(first));
    return s;
}

TEST(PalettePack, BeatsFirstFitDecreasing) {
    // Two palettes, 1..15 and 16..30. Largest first, 16..21 joins 1..9, after
    // which the last set fits neither bank.
    const std::vector<ColourSet> sets = {
        run(1, 9), run(16, 21), run(10, 15), run(22, 27), {16, 22, 28, 29, 30}};
    EXPECT_EQ(first_fit_decreasing(sets).bank_count, 3u);
    const PaletteArrangement r = pack_palettes(sets, kDefaultPackEffort);
    expect_canonical(sets, r, kMaxBanks);
    EXPECT_EQ(r.banks, (std::vector<ColourSet>{run(1, 15), run(16, 30)}));
    EXPECT_TRUE(r.proven);
    EXPECT_EQ(r.lower_bound, 2u);
}

TEST(PalettePack, LeftOverWhenBanksRunOut) {
    // A set of 16 colours, then 17 disjoint full sets: the last one is left
    // over; a set held by a full bank is still placed.
    std::vector<ColourSet> sets = {run(1000, 1015)};
    for (uint32_t k = 0; k < 17; ++k) sets.push_back(run(k * 15u, k * 15u + 14u));
    sets.push_back({40});
    const PaletteArrangement r = pack_palettes(sets, kDefaultPackEffort);
    expect_canonical(sets, r, kMaxBanks);
    EXPECT_FALSE(r.fits);
    EXPECT_EQ(r.left_over, (std::vector<uint32_t>{0, 17}));
    EXPECT_EQ(r.best_count, 17u);
    EXPECT_EQ(r.lower_bound, 17u);
    EXPECT_TRUE(r.proven);
    EXPECT_EQ(r.bank_of_set[18], 2u);
}

TEST(PalettePack, HiddenBanksFound) {
    // Banks that share no colour: K banks, proven by the colour count. With
    // one colour in every bank: K banks at most, and the fewest claimed only
    // with a proof. Never worse than first-fit decreasing.
    struct Case {
        uint32_t k;
        bool shared;
    };
    for (const Case c : {Case{8, false}, Case{16, false}, Case{8, true}, Case{12, true}}) {
        for (uint32_t seed = 1; seed <= 50; ++seed) {
            SCOPED_TRACE(testing::Message()
                         << "k " << c.k << " shared " << c.shared << " seed " << seed);
            const std::vector<ColourSet> sets = test::hidden_bank_cells(c.k, seed, c.shared);
            const PaletteArrangement r = pack_palettes(sets, kDefaultPackEffort);
            EXPECT_TRUE(r.fits);
            EXPECT_LE(r.best_count, c.k);
            EXPECT_LE(r.best_count, first_fit_decreasing(sets).bank_count);
            if (!c.shared) {
                EXPECT_TRUE(r.proven);
                EXPECT_EQ(r.lower_bound, c.k);
                EXPECT_EQ(r.bound, PackBound::COLOURS);
            }
            EXPECT_EQ(r.proven, r.best_count == r.lower_bound || r.bound == PackBound::SEARCH);
        }
    }
}

TEST(PalettePack, WhatProvesTheBound) {
    // 17 sets of 9 colours: the colour count says 11, the 17 sets themselves
    // (no two fit one bank) say 17. 17 full banks: both say 17, and the
    // colour count is named.
    std::vector<ColourSet> nines;
    for (uint32_t k = 0; k < 17; ++k) nines.push_back(run(k * 9u, k * 9u + 8u));
    std::vector<ColourSet> fulls;
    for (uint32_t k = 0; k < 17; ++k) fulls.push_back(run(k * 15u, k * 15u + 14u));
    // Five sets of 9 in a ring: neighbours share no colour (18 > 15), the
    // others 3. No three fit one bank; the colour count and the largest
    // clique both say 2.
    const std::vector<ColourSet> ring = {{0, 1, 2, 9, 10, 11, 15, 16, 17},
                                         {3, 4, 5, 12, 13, 14, 18, 19, 20},
                                         {0, 1, 2, 6, 7, 8, 21, 22, 23},
                                         {3, 4, 5, 9, 10, 11, 24, 25, 26},
                                         {6, 7, 8, 12, 13, 14, 27, 28, 29}};
    struct Case {
        const std::vector<ColourSet>* sets;
        uint32_t best, lower;
        PackBound bound;
    };
    for (const Case c :
         {Case{&nines, 17, 17, PackBound::CLIQUE}, Case{&fulls, 17, 17, PackBound::COLOURS},
          Case{&ring, 3, 2, PackBound::SEARCH}}) {
        const PaletteArrangement r = pack_palettes(*c.sets, kDefaultPackEffort);
        EXPECT_EQ(r.best_count, c.best);
        EXPECT_EQ(r.lower_bound, c.lower);
        EXPECT_TRUE(r.proven);
        EXPECT_EQ(r.bound, c.bound);
    }
    // Without steps the search proves nothing.
    EXPECT_FALSE(pack_palettes(ring, 0).proven);
}

TEST(PalettePack, EmptySets) {
    EXPECT_TRUE(pack_palettes({}, kDefaultPackEffort).banks.empty());
    const PaletteArrangement blank = pack_palettes({{}, {}}, kDefaultPackEffort);
    EXPECT_EQ(blank.banks, std::vector<ColourSet>{{}});
    EXPECT_EQ(blank.bank_of_set, (std::vector<uint32_t>{0, 0}));
    // A set without colours ahead of the first coloured one still takes bank 0.
    const PaletteArrangement r = pack_palettes({{}, run(1, 15), run(16, 17)}, kDefaultPackEffort);
    EXPECT_EQ(r.bank_of_set, (std::vector<uint32_t>{0, 0, 1}));
}

}  // namespace
}  // namespace tw
