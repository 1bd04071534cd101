// The colour reducer on small pictures made from the bytes: whatever the
// picture, banks stay within 16 of 15 colours, transparent pixels stay 0,
// opaque ones take an entry of their unit's bank, a pixel whose nearest
// target colour is in its bank is drawn with it, and (undithered) any other
// with the bank's nearest colour in RGB.

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "palettes/colour_reduce.h"
#include "palettes/oklab.h"
#include "picture/bmp_image.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 6) return 0;
    // Six bytes pick the size (up to 12 x 12: small pictures keep runs fast,
    // and units of 1 x 1 still make 144 of them, more than there are banks),
    // the unit, the options and a fixed palette's size; then the palette,
    // then the pixels as RGBA, repeated.
    tw::ReduceRequest rq;
    rq.width = data[0] % 12 + 1;
    rq.height = data[1] % 12 + 1;
    rq.unit_width = data[2] % 6 + 1;
    rq.unit_height = data[3] % 6 + 1;
    rq.dither = data[4] & 1;
    const uint32_t fixed_banks = (data[4] >> 1) % 18;  // 17: one too many, refused
    const uint32_t bank_size = data[5] % 17;           // 16: one too many, refused
    data += 6;
    size -= 6;
    rq.fixed_banks.assign(fixed_banks, std::vector<uint16_t>(bank_size));
    for (auto& bank : rq.fixed_banks)
        for (auto& c : bank) {
            c = size >= 2 ? static_cast<uint16_t>(data[0] | data[1] << 8) : 0;
            if (size >= 2) {
                data += 2;
                size -= 2;
            }
        }
    std::vector<tw::Rgba> pixels(size_t{rq.width} * rq.height, tw::Rgba{0, 0, 0, 255});
    for (size_t i = 0; i < pixels.size() && size >= 4; ++i) {
        const size_t at = 4 * i % (size - size % 4);
        pixels[i] = tw::Rgba{data[at], data[at + 1], data[at + 2], data[at + 3]};
    }
    rq.pixels = pixels.data();

    tw::ReducedPicture out;
    const bool malformed = fixed_banks > 16 || (fixed_banks > 0 && bank_size > 15);
    const bool any_colour = fixed_banks > 0 && bank_size > 0;
    const bool any_opaque =
        std::any_of(pixels.begin(), pixels.end(), [](const tw::Rgba& p) { return p.a != 0; });
    const bool expected = !malformed && (fixed_banks == 0 || any_colour || !any_opaque);
    if (tw::reduce_colours(rq, out) != expected) abort();
    if (!expected) return 0;

    if (out.banks.size() > 16) abort();
    for (const auto& bank : out.banks)
        if (bank.size() > 15) abort();
    if (out.bank_of_unit.size() != size_t{out.units_across} * out.units_down) abort();
    for (uint32_t unit = 0; unit < out.bank_of_unit.size(); ++unit) {
        const uint32_t x0 = unit % out.units_across * rq.unit_width;
        const uint32_t y0 = unit / out.units_across * rq.unit_height;
        const uint32_t x1 = std::min(x0 + rq.unit_width, rq.width);
        const uint32_t y1 = std::min(y0 + rq.unit_height, rq.height);
        for (uint32_t y = y0; y < y1; ++y)
            for (uint32_t x = x0; x < x1; ++x) {
                const size_t i = size_t{y} * rq.width + x;
                const tw::Rgba& p = pixels[i];
                if (p.a == 0) {
                    if (out.numbers[i] != 0) abort();
                    continue;
                }
                if (out.bank_of_unit[unit] >= out.banks.size()) abort();
                const auto& bank = out.banks[out.bank_of_unit[unit]];
                if (out.numbers[i] == 0 || out.numbers[i] > bank.size()) abort();
                const uint16_t own = tw::rgb_to_nearest_col(p.r, p.g, p.b);
                if (std::count(bank.begin(), bank.end(), own)) {
                    if (bank[out.numbers[i] - 1u] != own) abort();
                    continue;
                }
                if (rq.dither) continue;
                const auto distance = [&](uint16_t c) {
                    const tw::Rgb8 w = tw::widen_target_colour(c);
                    return (p.r - w.r) * (p.r - w.r) + (p.g - w.g) * (p.g - w.g) +
                           (p.b - w.b) * (p.b - w.b);
                };
                for (uint16_t c : bank)
                    if (distance(c) < distance(bank[out.numbers[i] - 1u])) abort();
            }
    }
    return 0;
}
