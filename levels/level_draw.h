#pragma once
// A level's tile layers drawn as Tiled draws them.

#include <cstddef>

#include "levels/level.h"
#include "picture/picture.h"

namespace tw {

// Layer `layer` of level.layers (0 the lowest) as a picture of the whole map:
// each tile from its tileset image, flipped by the flags of its id (the
// diagonal flip, a transpose, first, then horizontal, then vertical), moved by
// the layer's offset and cut at the map's edges. Where there is no tile, or the
// tileset's pixel is transparent, the pixel is {0, 0, 0, 0}.
//
// When every tileset image is indexed with one palette (or palettes of which
// the shorter is the start of the longer), the picture is indexed too with the
// longest of them, so rules that go by index apply. A transparent pixel then
// takes entry 0 of its own bank of 16 (index & 0xF0), entry 0 where there is
// no tile.
Picture draw_level_layer(const Level& level, size_t layer);

}  // namespace tw
