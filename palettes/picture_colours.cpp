#include "palettes/picture_colours.h"

#include "picture/bmp_image.h"

namespace tw {
namespace {

constexpr uint8_t kOpaqueAlpha = 128;

uint16_t target_colour(const Rgba& p) {
    return rgb_to_col(p.r, p.g, p.b);
}

bool same_rgb(const Rgba& a, const Rgba& b) {
    return a.r == b.r && a.g == b.g && a.b == b.b;
}

}  // namespace

TransparentKey choose_transparent_key(const std::vector<const Picture*>& pictures,
                                      const std::vector<uint8_t>& levels,
                                      const PictureOptions& options) {
    TransparentKey key;
    key.colours.assign(pictures.size(), std::nullopt);
    switch (options.transparent) {
        case TransparentRule::NONE:
            key.source = KeySource::NONE;
            return key;
        case TransparentRule::COLOUR:
            key.source = KeySource::GIVEN;
            key.key = target_colour(options.transparent_colour);
            key.colours.assign(pictures.size(), options.transparent_colour);
            return key;
        case TransparentRule::AUTO:
            break;
    }
    key.source = KeySource::ALPHA;
    for (const Picture* p : pictures)
        for (const Rgba& px : p->pixels)
            if (px.a < kOpaqueAlpha) return key;
    for (size_t p = 0; p < pictures.size(); ++p) {
        const bool level = p < levels.size() && levels[p];
        if (level || pictures[p]->pixels.empty()) continue;
        key.colours[p] = pictures[p]->pixels[0];
    }
    if (!key.colours.empty() && key.colours[0]) {
        key.source = KeySource::TOP_LEFT;
        key.key = target_colour(*key.colours[0]);
    }
    return key;
}

KeyMatch match_key(const Picture& picture, const Rgba& key) {
    KeyMatch m;
    const uint16_t drawn = target_colour(key);
    for (const Rgba& p : picture.pixels)
        if (same_rgb(p, key))
            ++m.exact;
        else if (p.a >= kOpaqueAlpha && target_colour(p) == drawn)
            ++m.near;
    return m;
}

uint32_t padded_side(uint32_t side, uint32_t unit) {
    return unit == 0 ? side : (side + unit - 1) / unit * unit;
}

ColourPicture picture_colours(const Picture& picture, const std::optional<Rgba>& key,
                              uint32_t unit_width, uint32_t unit_height) {
    ColourPicture out;
    out.width = padded_side(picture.width, unit_width);
    out.height = padded_side(picture.height, unit_height);
    out.colours.assign(size_t{out.width} * out.height, kTransparentPixel);
    for (uint32_t y = 0; y < picture.height; ++y)
        for (uint32_t x = 0; x < picture.width; ++x) {
            const Rgba& p = picture.pixels[size_t{y} * picture.width + x];
            if (p.a < kOpaqueAlpha || (key && same_rgb(p, *key))) continue;
            out.colours[size_t{y} * out.width + x] = target_colour(p);
        }
    return out;
}

}  // namespace tw
