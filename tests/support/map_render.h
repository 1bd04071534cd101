#pragma once
// Screens that map_pictures built, drawn back as render draws them.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "maps/picture_map.h"

namespace tw::test {

// Screen `screen` of m drawn with m's tiles and palette: 512 x 512 indices,
// each pixel's bank << 4 | colour number.
std::vector<uint8_t> render_mapped(const MapScreens& m, size_t screen);

}  // namespace tw::test
