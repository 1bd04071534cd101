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

}  // namespace tw
