#include "levels/level_draw.h"

#include <algorithm>

#include "levels/gid.h"

namespace tw {
namespace {

// The palette all tileset images share, when there is one.
bool shared_palette(const Level& level, std::vector<Rgba>& palette) {
    if (level.tilesets.empty()) return false;
    palette.clear();
    for (const LevelTileset& t : level.tilesets) {
        const std::vector<Rgba>& own = t.image.palette;
        if (!t.image.indexed) return false;
        const size_t common = std::min(own.size(), palette.size());
        if (!std::equal(own.begin(), own.begin() + static_cast<std::ptrdiff_t>(common),
                        palette.begin()))
            return false;
        if (own.size() > palette.size()) palette = own;
    }
    return true;
}

}  // namespace

Picture draw_level_layer(const Level& level, size_t layer_index) {
    const LevelLayer& layer = level.layers[layer_index];
    const uint32_t tw = level.tile_width;
    const uint32_t th = level.tile_height;
    Picture out;
    out.width = level.width * tw;
    out.height = level.height * th;
    const size_t area = static_cast<size_t>(out.width) * out.height;
    out.pixels.assign(area, Rgba{0, 0, 0, 0});
    out.indexed = shared_palette(level, out.palette);
    if (out.indexed) out.indices.assign(area, 0);

    for (uint32_t cy = 0; cy < level.height; ++cy)
        for (uint32_t cx = 0; cx < level.width; ++cx) {
            const uint32_t gid = layer.gids[static_cast<size_t>(cy) * level.width + cx];
            const uint32_t id = gid & kGidId;
            if (id == 0) continue;
            // Reading made sure that every id is in its tileset.
            const LevelTileset& t = *level_tileset_of(level, id);
            const uint32_t local = id - t.first_gid;
            const uint32_t left = t.margin + local % t.columns * (tw + t.spacing);
            const uint32_t top = t.margin + local / t.columns * (th + t.spacing);
            const bool flip_h = gid & kGidFlipHorizontal;
            const bool flip_v = gid & kGidFlipVertical;
            const bool diagonal = gid & kGidFlipDiagonal;
            for (uint32_t py = 0; py < th; ++py) {
                const int64_t y = static_cast<int64_t>(cy) * th + py + layer.offset_y;
                if (y < 0 || y >= out.height) continue;
                for (uint32_t px = 0; px < tw; ++px) {
                    const int64_t x = static_cast<int64_t>(cx) * tw + px + layer.offset_x;
                    if (x < 0 || x >= out.width) continue;
                    // Undo the flips: the last one applied (vertical) first.
                    const uint32_t fx = flip_h ? tw - 1 - px : px;
                    const uint32_t fy = flip_v ? th - 1 - py : py;
                    const uint32_t sx = left + (diagonal ? fy : fx);
                    const uint32_t sy = top + (diagonal ? fx : fy);
                    const size_t from = static_cast<size_t>(sy) * t.image.width + sx;
                    const size_t to = static_cast<size_t>(y) * out.width + static_cast<size_t>(x);
                    const Rgba pixel = t.image.pixels[from];
                    out.pixels[to] = pixel.a == 0 ? Rgba{0, 0, 0, 0} : pixel;
                    if (out.indexed) {
                        const uint8_t index = t.image.indices[from];
                        out.indices[to] = pixel.a == 0 ? static_cast<uint8_t>(index & 0xF0) : index;
                    }
                }
            }
        }
    return out;
}

}  // namespace tw
