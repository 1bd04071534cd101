#include "palettes/picture_colours.h"

#include "picture/bmp_image.h"

namespace tw {
namespace {

constexpr uint8_t kOpaqueAlpha = 128;

uint16_t target_colour(const Rgba& p) {
    return rgb_to_col(p.r, p.g, p.b);
}

}  // namespace

TransparentKey choose_transparent_key(const std::vector<const Picture*>& pictures,
                                      const PictureOptions& options) {
    TransparentKey key;
    switch (options.transparent) {
        case TransparentRule::NONE:
            key.source = KeySource::NONE;
            return key;
        case TransparentRule::COLOUR:
            key.source = KeySource::GIVEN;
            key.by_colour = true;
            key.key = target_colour(options.transparent_colour);
            return key;
        case TransparentRule::AUTO:
            break;
    }
    for (const Picture* p : pictures)
        for (const Rgba& px : p->pixels)
            if (px.a < kOpaqueAlpha) {
                key.source = KeySource::ALPHA;
                return key;
            }
    if (pictures.empty() || pictures[0]->pixels.empty()) return key;
    key.source = KeySource::TOP_LEFT;
    key.by_colour = true;
    key.key = target_colour(pictures[0]->pixels[0]);
    return key;
}

uint32_t padded_side(uint32_t side, uint32_t unit) {
    return unit == 0 ? side : (side + unit - 1) / unit * unit;
}

ColourPicture picture_colours(const Picture& picture, const TransparentKey& key,
                              uint32_t unit_width, uint32_t unit_height) {
    ColourPicture out;
    out.width = padded_side(picture.width, unit_width);
    out.height = padded_side(picture.height, unit_height);
    out.colours.assign(size_t{out.width} * out.height, kTransparentPixel);
    for (uint32_t y = 0; y < picture.height; ++y)
        for (uint32_t x = 0; x < picture.width; ++x) {
            const Rgba& p = picture.pixels[size_t{y} * picture.width + x];
            if (p.a < kOpaqueAlpha) continue;
            const uint16_t c = target_colour(p);
            if (key.by_colour && c == key.key) continue;
            out.colours[size_t{y} * out.width + x] = c;
        }
    return out;
}

}  // namespace tw
