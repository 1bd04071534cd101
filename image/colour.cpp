#include "image/colour.h"

#include <algorithm>

namespace tw {

uint16_t rgb_to_col(uint8_t r, uint8_t g, uint8_t b) {
    return static_cast<uint16_t>((r >> 3) | (g >> 3) << 5 | (b >> 3) << 10 | ((g >> 2) & 1) << 15);
}

uint16_t rgb_to_nearest_col(uint8_t r, uint8_t g, uint8_t b) {
    const uint32_t red = std::min((r + 4u) >> 3, 31u), green = std::min((g + 2u) >> 2, 63u),
                   blue = std::min((b + 4u) >> 3, 31u);
    return static_cast<uint16_t>(red | (green >> 1) << 5 | blue << 10 | (green & 1) << 15);
}

Rgb col_to_rgb(uint16_t c) {
    const auto red = static_cast<uint8_t>((c & 0x1Fu) << 3);
    const auto green = static_cast<uint8_t>(((c >> 2) & 0xF8u) | ((c & 0x8000u) ? 4u : 0u));
    const auto blue = static_cast<uint8_t>((c >> 7) & 0xF8u);
    return {red, green, blue};
}

uint32_t col_to_bgr0(uint16_t c) {
    const Rgb rgb = col_to_rgb(c);
    return uint32_t{rgb.b} | uint32_t{rgb.g} << 8 | uint32_t{rgb.r} << 16;
}

}  // namespace tw
