#pragma once
// Oklab, the perceptual colour space in which the colour reducer measures its
// error, computed in fixed point so that every platform gets the same numbers:
// sRGB to linear through a table, the two matrices in integers and the cube
// root by an integer search. No floating-point library function is involved.

#include <cstdint>

namespace tw {

// One unit of Oklab (L of white, roughly the width of the a and b ranges) in
// fixed point.
inline constexpr int32_t kOklabOne = 1 << 16;

struct Oklab {
    int32_t L, a, b;
    friend bool operator==(const Oklab&, const Oklab&) = default;
};

struct Rgb8 {
    uint8_t r, g, b;
};

// The Oklab coordinates of an 8-bit sRGB colour. Black is (0, 0, 0), white
// (kOklabOne, 0, 0); every grey has a == b == 0.
Oklab oklab_from_rgb(uint8_t r, uint8_t g, uint8_t b);

// The squared Euclidean distance, in kOklabOne^2 units.
inline int64_t oklab_distance2(const Oklab& p, const Oklab& q) {
    const int64_t dl = p.L - q.L, da = p.a - q.a, db = p.b - q.b;
    return dl * dl + da * da + db * db;
}

// A 16-bit target colour widened to 8 bits exactly as extraction writes it.
Rgb8 widen_target_colour(uint16_t colour);

// The Oklab coordinates of a target colour (as widened), from a table built on
// first use.
const Oklab& target_oklab(uint16_t colour);

// The target colour nearest to a point of Oklab (the point need not be a
// colour: a mean of colours is what it is for). Ties go to the lower value.
uint16_t nearest_target_colour(const Oklab& lab);

}  // namespace tw
