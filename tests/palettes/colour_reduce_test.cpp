#include "palettes/colour_reduce.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <string>

#include "common/failure.h"
#include "common/text.h"
#include "palettes/oklab.h"
#include "picture/bmp_image.h"
#include "resources/texts.h"

namespace tw {
namespace {

// 32-bit draws of the standard engine, whose sequence is the same everywhere.
struct Draws {
    std::mt19937 engine;
    explicit Draws(uint32_t seed) : engine(seed) {}
    uint32_t operator()() { return static_cast<uint32_t>(engine()); }
};

// A picture of blobs of colour over a gradient with noise, so that units hold
// many colours; some pixels transparent.
std::vector<Rgba> make_picture(uint32_t width, uint32_t height, uint32_t seed,
                               uint32_t transparent_in_256) {
    Draws rng(seed);
    std::vector<Rgba> pixels(size_t{width} * height);
    const uint32_t cx = rng() % width, cy = rng() % height, hue = rng() % 256;
    for (uint32_t y = 0; y < height; ++y)
        for (uint32_t x = 0; x < width; ++x) {
            const uint32_t d = (x > cx ? x - cx : cx - x) + (y > cy ? y - cy : cy - y);
            const uint32_t noise = rng() % 24;
            Rgba& p = pixels[size_t{y} * width + x];
            p.r = static_cast<uint8_t>((x * 255 / width + noise) % 256);
            p.g = static_cast<uint8_t>((y * 255 / height + hue + noise) % 256);
            p.b = static_cast<uint8_t>((d * 4 + noise) % 256);
            p.a = rng() % 256 < transparent_in_256 ? 0 : 255;
        }
    return pixels;
}

// Everything a caller relies on, whatever the picture.
void expect_valid(const ReduceRequest& rq, const ReducedPicture& out, const std::string& name) {
    SCOPED_TRACE(name);
    ASSERT_LE(out.banks.size(), 16u);
    for (const auto& bank : out.banks) {
        ASSERT_LE(bank.size(), 15u);
        if (rq.fixed_banks.empty()) {
            ASSERT_TRUE(std::is_sorted(bank.begin(), bank.end()));
        }
    }
    ASSERT_EQ(out.bank_of_unit.size(), size_t{out.units_across} * out.units_down);
    ASSERT_EQ(out.numbers.size(), size_t{rq.width} * rq.height);
    for (uint32_t unit = 0; unit < out.bank_of_unit.size(); ++unit) {
        const uint32_t x0 = unit % out.units_across * rq.unit_width;
        const uint32_t y0 = unit / out.units_across * rq.unit_height;
        bool opaque = false, exact = true;
        for (uint32_t y = y0; y < std::min(y0 + rq.unit_height, rq.height); ++y)
            for (uint32_t x = x0; x < std::min(x0 + rq.unit_width, rq.width); ++x) {
                const size_t i = size_t{y} * rq.width + x;
                const Rgba& p = rq.pixels[i];
                if (p.a == 0) {
                    ASSERT_EQ(out.numbers[i], 0) << x << "," << y;
                    continue;
                }
                ASSERT_LT(out.bank_of_unit[unit], out.banks.size());
                const auto& bank = out.banks[out.bank_of_unit[unit]];
                ASSERT_GE(out.numbers[i], 1) << x << "," << y;
                ASSERT_LE(out.numbers[i], bank.size()) << x << "," << y;
                opaque = true;
                exact = exact && std::count(bank.begin(), bank.end(), rgb_to_col(p.r, p.g, p.b));
            }
        if (!opaque || !exact) continue;
        // Every exact colour of the unit is in its bank: it is drawn with them.
        const auto& bank = out.banks[out.bank_of_unit[unit]];
        for (uint32_t y = y0; y < std::min(y0 + rq.unit_height, rq.height); ++y)
            for (uint32_t x = x0; x < std::min(x0 + rq.unit_width, rq.width); ++x) {
                const size_t i = size_t{y} * rq.width + x;
                const Rgba& p = rq.pixels[i];
                if (p.a) {
                    ASSERT_EQ(bank[out.numbers[i] - 1u], rgb_to_col(p.r, p.g, p.b));
                }
            }
    }
}

uint64_t hash_of(const ReducedPicture& out) {
    uint64_t h = 1469598103934665603u;
    const auto add = [&](uint64_t v) { h = (h ^ v) * 1099511628211u; };
    for (const auto& bank : out.banks) {
        add(bank.size());
        for (uint16_t c : bank) add(c);
    }
    for (uint8_t b : out.bank_of_unit) add(b);
    for (uint8_t n : out.numbers) add(n);
    return h;
}

TEST(ColourReduce, InvariantsOverGeneratedPictures) {
    struct Case {
        uint32_t width, height, unit_width, unit_height, transparent;
        bool dither, fixed;
    } cases[] = {
        {64, 64, 8, 8, 0, false, false},  {64, 48, 8, 8, 40, true, false},
        {61, 37, 8, 8, 10, false, false}, {48, 48, 16, 16, 0, false, false},
        {40, 24, 32, 8, 30, true, false}, {64, 64, 8, 8, 20, false, true},
        {33, 17, 8, 8, 0, true, true},    {8, 8, 8, 8, 255, false, false},
        {16, 8, 8, 8, 0, false, false},   {4, 4, 1, 1, 60, false, false},
    };
    uint32_t seed = 1;
    for (const Case& c : cases) {
        const std::vector<Rgba> pixels = make_picture(c.width, c.height, seed++, c.transparent);
        ReduceRequest rq;
        rq.width = c.width;
        rq.height = c.height;
        rq.unit_width = c.unit_width;
        rq.unit_height = c.unit_height;
        rq.pixels = pixels.data();
        rq.dither = c.dither;
        if (c.fixed) {
            Draws rng(seed);
            rq.fixed_banks.resize(1 + rng() % 16);
            for (auto& bank : rq.fixed_banks) {
                bank.resize(rng() % 16);
                for (auto& v : bank) v = static_cast<uint16_t>(rng());
            }
            rq.fixed_banks[0].push_back(0x7FFF);
        }
        ReducedPicture out, again;
        const std::string name = std::to_string(c.width) + "x" + std::to_string(c.height) + " in " +
                                 std::to_string(c.unit_width) + "x" + std::to_string(c.unit_height);
        ASSERT_TRUE(reduce_colours(rq, out)) << name << ": " << last_failure();
        expect_valid(rq, out, name);
        if (c.fixed) {
            EXPECT_EQ(out.banks, rq.fixed_banks) << name;
        }
        ASSERT_TRUE(reduce_colours(rq, again));
        EXPECT_EQ(hash_of(out), hash_of(again)) << name;
        if (c.transparent < 255) {
            EXPECT_GT(out.psnr, 10.0) << name;
        }
    }
}

// The same bytes on every platform: a fixed picture, reduced with and without
// dithering, against hashes taken once.
TEST(ColourReduce, SameResultEverywhere) {
    const std::vector<Rgba> pixels = make_picture(96, 64, 42, 16);
    ReduceRequest rq;
    rq.width = 96;
    rq.height = 64;
    rq.pixels = pixels.data();
    ReducedPicture out;
    ASSERT_TRUE(reduce_colours(rq, out));
    EXPECT_EQ(out.banks.size(), 16u);
    EXPECT_EQ(hash_of(out), 9582137910972624587u);
    rq.dither = true;
    ASSERT_TRUE(reduce_colours(rq, out));
    EXPECT_EQ(hash_of(out), 16411230432848751487u);
}

// A picture of at most 16 distinct cells gives each its own bank, shared only
// by copies of it; one more distinct cell and the cells are grouped.
TEST(ColourReduce, EachDistinctCellItsOwnBank) {
    for (const uint32_t distinct : {12u, 16u, 17u}) {
        SCOPED_TRACE(distinct);
        const uint32_t across = 6, down = 3, width = 8 * across, height = 8 * down;
        std::vector<Rgba> pixels(size_t{width} * height);
        for (uint32_t cell = 0; cell < across * down; ++cell) {
            const std::vector<Rgba> own = make_picture(8, 8, 100 + cell % distinct, 0);
            for (uint32_t y = 0; y < 8; ++y)
                std::copy_n(own.begin() + 8 * y, 8,
                            pixels.begin() + (cell / across * 8 + y) * width + cell % across * 8);
        }
        ReduceRequest rq;
        rq.width = width;
        rq.height = height;
        rq.pixels = pixels.data();
        ReducedPicture out;
        ASSERT_TRUE(reduce_colours(rq, out)) << last_failure();
        expect_valid(rq, out, std::to_string(distinct));
        if (distinct > 16) {
            // Grouped: today into fewer banks than the 16 it may use.
            EXPECT_LE(out.banks.size(), 16u);
            continue;
        }
        EXPECT_EQ(out.banks.size(), distinct);
        for (uint32_t x = 0; x < across * down; ++x)
            for (uint32_t y = 0; y < x; ++y)
                EXPECT_EQ(out.bank_of_unit[x] == out.bank_of_unit[y], x % distinct == y % distinct)
                    << x << " " << y;
    }
}

// Each unit takes the bank that draws it best, each pixel the nearest colour;
// a unit whose colours are in its bank is drawn exactly.
TEST(ColourReduce, FixedPalette) {
    const uint16_t red = rgb_to_col(248, 0, 0), green = rgb_to_col(0, 252, 0),
                   blue = rgb_to_col(0, 0, 248), white = rgb_to_col(248, 252, 248);
    std::vector<Rgba> pixels(24 * 8, Rgba{0, 0, 0, 0});
    for (uint32_t y = 0; y < 8; ++y) {
        pixels[y * 24 + 0] = Rgba{250, 10, 5, 255};      // near red
        pixels[y * 24 + 1] = Rgba{0, 240, 20, 255};      // near green
        pixels[y * 24 + 8] = Rgba{20, 20, 230, 255};     // near blue
        pixels[y * 24 + 9] = Rgba{240, 240, 240, 255};   // near white
        pixels[y * 24 + 16] = Rgba{0, 0, 255, 255};      // blue exactly
        pixels[y * 24 + 17] = Rgba{255, 255, 255, 255};  // white exactly
    }
    ReduceRequest rq;
    rq.width = 24;
    rq.height = 8;
    rq.pixels = pixels.data();
    rq.fixed_banks = {{red, green, white}, {white, blue}, {}};
    ReducedPicture out;
    ASSERT_TRUE(reduce_colours(rq, out)) << last_failure();
    EXPECT_EQ(out.bank_of_unit, (std::vector<uint8_t>{0, 1, 1}));
    const uint32_t column[6] = {0, 1, 8, 9, 16, 17};
    const uint8_t expected[6] = {1, 2, 2, 1, 2, 1};
    for (int k = 0; k < 6; ++k)
        EXPECT_EQ(out.numbers[5 * 24 + column[k]], expected[k]) << column[k];
    EXPECT_EQ(out.numbers[2], 0);
    expect_valid(rq, out, "fixed");
}

TEST(ColourReduce, RefusesMalformedRequests) {
    const std::vector<Rgba> pixels(64, Rgba{1, 2, 3, 255});
    const auto request = [&](uint32_t w, uint32_t h, uint32_t uw, uint32_t uh) {
        ReduceRequest rq;
        rq.width = w;
        rq.height = h;
        rq.unit_width = uw;
        rq.unit_height = uh;
        rq.pixels = pixels.data();
        return rq;
    };
    ReduceRequest too_many_banks = request(8, 8, 8, 8);
    too_many_banks.fixed_banks.assign(17, {1});
    ReduceRequest bank_too_large = request(8, 8, 8, 8);
    bank_too_large.fixed_banks.assign(1, std::vector<uint16_t>(16, 1));
    ReduceRequest no_colours = request(8, 8, 8, 8);
    no_colours.fixed_banks.assign(3, {});
    ReduceRequest no_pixels = request(8, 8, 8, 8);
    no_pixels.pixels = nullptr;
    const std::pair<ReduceRequest, const Text*> cases[] = {
        {request(0, 8, 8, 8), &kReasonReduceSize},     {request(8, 8, 0, 8), &kReasonReduceSize},
        {request(20000, 1, 8, 8), &kReasonReduceSize}, {no_pixels, &kReasonReduceSize},
        {too_many_banks, &kReasonReducePalette},       {bank_too_large, &kReasonReducePalette},
        {no_colours, &kReasonReduceNoColours},
    };
    for (const auto& [rq, reason] : cases) {
        clear_failure();
        ReducedPicture out;
        EXPECT_FALSE(reduce_colours(rq, out)) << reason->en;
        EXPECT_EQ(last_failure_reason(), reason) << last_failure();
    }
}

// The fixed-point Oklab against the formula in double precision, over a grid
// of colours; and the way back finds every target colour from its own point.
TEST(Oklab, MatchesDoublePrecision) {
    const auto linear = [](int v) {
        const double c = v / 255.0;
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    double worst = 0;
    for (int r = 0; r < 256; r += 3)
        for (int g = 0; g < 256; g += 5)
            for (int b = 0; b < 256; b += 3) {
                const double lr = linear(r), lg = linear(g), lb = linear(b);
                const double l =
                    std::cbrt(0.4122214708 * lr + 0.5363325363 * lg + 0.0514459929 * lb);
                const double m =
                    std::cbrt(0.2119034982 * lr + 0.6806995451 * lg + 0.1073969566 * lb);
                const double s =
                    std::cbrt(0.0883024619 * lr + 0.2817188376 * lg + 0.6299787005 * lb);
                const double ref[3] = {0.2104542553 * l + 0.7936177850 * m - 0.0040720468 * s,
                                       1.9779984951 * l - 2.4285922050 * m + 0.4505937099 * s,
                                       0.0259040371 * l + 0.7827717662 * m - 0.8086757660 * s};
                const Oklab got = oklab_from_rgb(static_cast<uint8_t>(r), static_cast<uint8_t>(g),
                                                 static_cast<uint8_t>(b));
                const int32_t fixed[3] = {got.L, got.a, got.b};
                for (int k = 0; k < 3; ++k)
                    worst = std::max(worst, std::fabs(fixed[k] / double{kOklabOne} - ref[k]));
            }
    EXPECT_LT(worst, 5e-5);
    EXPECT_EQ(oklab_from_rgb(255, 255, 255), (Oklab{kOklabOne, 0, 0}));
    EXPECT_EQ(oklab_from_rgb(128, 128, 128).a, 0);
    for (uint32_t c = 0; c < 65536; c += 7)
        ASSERT_EQ(nearest_target_colour(target_oklab(static_cast<uint16_t>(c))), c);
}

}  // namespace
}  // namespace tw
