#pragma once
// The first stage of `map` and `sprites`: a picture as the target's 16-bit
// colours, each pixel converted as a palette entry converts, with the
// transparent ones marked and the size padded to whole units.

#include <cstdint>
#include <optional>
#include <vector>

#include "palettes/picture_options.h"
#include "picture/picture.h"

namespace tw {

// Which pixels are transparent, and the colour entry 0 of every bank holds.
struct TransparentKey {
    KeySource source = KeySource::NONE;  // of entry 0: the first picture's key
    uint16_t key = 0;                    // entry 0 of every bank
    // Each picture's key: its pixels of exactly this red, green and blue (as
    // the picture decodes them, alpha aside) are transparent. A pixel of
    // another colour stays opaque even when the target draws it as the key.
    std::vector<std::optional<Rgba>> colours;
};

// One key for pictures that share their banks: a pixel whose alpha is below
// 128 is always transparent; AUTO, when no pixel of any picture is
// transparent by alpha, takes each picture's own top-left colour, except for
// the pictures of a level (`levels[p]` not 0), whose transparency is their
// own; COLOUR takes the colour given for every picture; NONE makes every
// colour opaque. Entry 0 holds the first picture's key, 0 when it has none.
TransparentKey choose_transparent_key(const std::vector<const Picture*>& pictures,
                                      const std::vector<uint8_t>& levels,
                                      const PictureOptions& options);

// How the colour of `--transparent` met a picture: pixels of exactly that
// colour, and opaque pixels of another colour that the target draws alike.
struct KeyMatch {
    uint32_t exact = 0;
    uint32_t near = 0;
};
KeyMatch match_key(const Picture& picture, const Rgba& key);

inline constexpr int32_t kTransparentPixel = -1;

struct ColourPicture {
    uint32_t width = 0, height = 0;  // padded to whole units
    std::vector<int32_t> colours;    // a target colour a pixel, or kTransparentPixel
};

// Width and height rounded up to whole units.
uint32_t padded_side(uint32_t side, uint32_t unit);

// The picture's colours, padded on the right and at the bottom with
// transparent pixels; `key` is the picture's own (TransparentKey::colours).
ColourPicture picture_colours(const Picture& picture, const std::optional<Rgba>& key,
                              uint32_t unit_width, uint32_t unit_height);

}  // namespace tw
