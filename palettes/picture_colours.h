#pragma once
// The first stage of `map` and `sprites`: a picture as the target's 16-bit
// colours, each pixel converted as a palette entry converts, with the
// transparent ones marked and the size padded to whole units.

#include <cstdint>
#include <vector>

#include "palettes/picture_options.h"
#include "picture/picture.h"

namespace tw {

// Which pixels are transparent, and the colour entry 0 of every bank holds.
struct TransparentKey {
    KeySource source = KeySource::NONE;
    bool by_colour = false;  // pixels of colour `key` are transparent too
    uint16_t key = 0;        // entry 0 of every bank
};

// One key for pictures that share their banks: a pixel whose alpha is below
// 128 is always transparent; AUTO takes the first picture's top-left colour
// when no pixel of any picture is transparent by alpha; COLOUR takes the
// colour given; NONE makes every colour opaque.
TransparentKey choose_transparent_key(const std::vector<const Picture*>& pictures,
                                      const PictureOptions& options);

inline constexpr int32_t kTransparentPixel = -1;

struct ColourPicture {
    uint32_t width = 0, height = 0;  // padded to whole units
    std::vector<int32_t> colours;    // a target colour a pixel, or kTransparentPixel
};

// Width and height rounded up to whole units.
uint32_t padded_side(uint32_t side, uint32_t unit);

// The picture's colours, padded on the right and at the bottom with transparent pixels.
ColourPicture picture_colours(const Picture& picture, const TransparentKey& key,
                              uint32_t unit_width, uint32_t unit_height);

}  // namespace tw
