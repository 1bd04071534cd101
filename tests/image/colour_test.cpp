#include "image/colour.h"

#include <gtest/gtest.h>

namespace tw {

// Every target colour comes back from its widened form unchanged, and the
// widened form has the bits the target cannot hold clear.
TEST(Colour, EveryTargetColourSurvivesTheRoundTrip) {
    for (uint32_t c = 0; c <= 0xFFFF; ++c) {
        const Rgb rgb = col_to_rgb(static_cast<uint16_t>(c));
        ASSERT_EQ(rgb_to_col(rgb.r, rgb.g, rgb.b), c);
        ASSERT_EQ(rgb.r & 7, 0) << c;
        ASSERT_EQ(rgb.g & 3, 0) << c;
        ASSERT_EQ(rgb.b & 7, 0) << c;
        ASSERT_EQ(col_to_bgr0(static_cast<uint16_t>(c)),
                  uint32_t{rgb.b} | uint32_t{rgb.g} << 8 | uint32_t{rgb.r} << 16);
    }
}

// The nearest colour widens back to no farther than any other target colour,
// channel by channel (grey levels cover every channel value).
TEST(Colour, NearestColourIsNearest) {
    const auto gap = [](int a, int b) { return a > b ? a - b : b - a; };
    for (int v = 0; v < 256; ++v) {
        const auto u = static_cast<uint8_t>(v);
        const Rgb n = col_to_rgb(rgb_to_nearest_col(u, u, u));
        for (uint32_t c = 0; c < 32; ++c) {
            ASSERT_LE(gap(n.r, v), gap(static_cast<int>(c << 3), v)) << v;
            ASSERT_LE(gap(n.b, v), gap(static_cast<int>(c << 3), v)) << v;
            ASSERT_LE(gap(n.g, v), gap(static_cast<int>(c << 3), v)) << v;
            ASSERT_LE(gap(n.g, v), gap(static_cast<int>(c << 3 | 4), v)) << v;
        }
    }
}

}  // namespace tw
