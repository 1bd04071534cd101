#include "palettes/reduce_banks.h"

#include <algorithm>

#include "palettes/colour_reduce.h"
#include "resources/texts.h"

namespace tw {

bool reduction_answers(const Text* reason) {
    return reason == &kReasonUnitColours || reason == &kReasonTooManyBanks ||
           reason == &kReasonTooManyBanksProven || reason == &kReasonNoBankHolds;
}

bool reduce_banks(const UnitInputs& in, const TransparentKey& key, const uint16_t* fixed,
                  bool dither, std::vector<UnitBanks>& out, BankPalette& palette,
                  ReduceQuality& quality) {
    // Pictures that share their banks are reduced as one: stacked, each padded
    // to whole units, so that every unit of the stack is a unit of one picture.
    std::vector<ColourPicture> cps;
    uint32_t width = 0, height = 0;
    for (size_t p = 0; p < in.pictures.size(); ++p) {
        cps.push_back(
            picture_colours(*in.pictures[p], key.colours[p], in.unit_width, in.unit_height));
        width = std::max(width, cps.back().width);
        height += cps.back().height;
    }
    std::vector<Rgba> pixels(size_t{width} * height, Rgba{0, 0, 0, 0});
    uint32_t top = 0;
    for (size_t p = 0; p < cps.size(); ++p) {
        const Picture& pic = *in.pictures[p];
        for (uint32_t y = 0; y < pic.height; ++y)
            for (uint32_t x = 0; x < pic.width; ++x) {
                if (cps[p].colours[size_t{y} * cps[p].width + x] == kTransparentPixel) continue;
                const Rgba& c = pic.pixels[size_t{y} * pic.width + x];
                pixels[size_t{top + y} * width + x] = Rgba{c.r, c.g, c.b, 255};
            }
        top += cps[p].height;
    }

    ReduceRequest rq;
    rq.width = width;
    rq.height = height;
    rq.unit_width = in.unit_width;
    rq.unit_height = in.unit_height;
    rq.pixels = pixels.data();
    rq.dither = dither;
    if (fixed != nullptr)
        for (uint32_t b = 0; b < 16; ++b)
            rq.fixed_banks.emplace_back(fixed + 16 * b + 1, fixed + 16 * b + 16);
    ReducedPicture r;
    if (!reduce_colours(rq, r)) return false;

    palette = BankPalette{};
    if (fixed != nullptr) std::copy(fixed, fixed + 256, palette.colours);
    for (uint32_t b = 0; b < r.banks.size(); ++b)
        for (size_t k = 0; k < r.banks[b].size(); ++k)
            palette.colours[16 * b + 1 + k] = r.banks[b][k];
    for (uint32_t b = 0; b < 16; ++b) palette.colours[16 * b] = key.key;
    palette.count = static_cast<uint32_t>(r.banks.size());
    quality.psnr = r.psnr;
    quality.max_error = r.max_error;

    out.clear();
    top = 0;
    for (const ColourPicture& cp : cps) {
        UnitBanks b;
        b.grid = unit_grid(cp.width, cp.height, in.unit_width, in.unit_height);
        b.width = cp.width;
        b.height = cp.height;
        b.reduced = true;
        b.bank.assign(b.grid.count(), 0);
        b.drawn.assign(b.grid.count(), 0);
        b.failing.assign(b.grid.count(), 0);
        b.numbers.assign(cp.colours.size(), 0);
        for (uint32_t y = 0; y < cp.height; ++y)
            for (uint32_t x = 0; x < cp.width; ++x)
                b.numbers[size_t{y} * cp.width + x] = r.numbers[size_t{top + y} * width + x];
        for (uint32_t u = 0; u < b.grid.count(); ++u) {
            const uint32_t x0 = b.grid.x_of(u), y0 = b.grid.y_of(u);
            for (uint32_t y = y0; y < y0 + b.grid.unit_height && !b.drawn[u]; ++y)
                for (uint32_t x = x0; x < x0 + b.grid.unit_width; ++x)
                    if (b.numbers[size_t{y} * b.width + x] != 0) b.drawn[u] = 1;
            if (!b.drawn[u]) continue;
            const uint32_t unit = (top + y0) / in.unit_height * r.units_across + x0 / in.unit_width;
            b.bank[u] = r.bank_of_unit[unit];
            palette.used = static_cast<uint16_t>(palette.used | 1u << b.bank[u]);
        }
        out.push_back(std::move(b));
        top += cp.height;
    }
    return true;
}

}  // namespace tw
