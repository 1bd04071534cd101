#pragma once
// The built-in palettes of extracted images, as 16-bit target colours.

#include <cstdint>

namespace tw {

extern const uint16_t chr_palette[256];
extern const uint16_t grp_palette[256];

}  // namespace tw
