#include "palettes/palette_rules.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "common/failure.h"
#include "palettes/palette_file.h"
#include "palettes/picture_colours.h"
#include "palettes/reduce_banks.h"
#include "picture/bmp_image.h"

namespace tw {
namespace {

bool whole_units(const Picture& p, const PictureOptions& o) {
    return p.width % o.unit_width == 0 && p.height % o.unit_height == 0;
}

bool is_level(const UnitInputs& in, size_t picture) {
    return picture < in.levels.size() && in.levels[picture];
}

// The pixels of an indexed picture that are opaque but have colour number 0,
// which the handheld draws transparent; `x` and `y` get the first one's place.
uint32_t opaque_colour_0(const Picture& p, uint32_t& x, uint32_t& y) {
    uint32_t count = 0;
    if (!p.indexed) return 0;
    for (size_t i = 0; i < p.pixels.size(); ++i) {
        if (p.pixels[i].a < 128 || (p.indices[i] & 15) != 0) continue;
        if (count++ == 0) {
            x = static_cast<uint32_t>(i % p.width);
            y = static_cast<uint32_t>(i / p.width);
        }
    }
    return count;
}

}  // namespace

PaletteRule decide_rule(const Picture& picture, const PictureOptions& options, const Text& noun,
                        PictureSummary& summary) {
    summary.reason = RuleReason::ASKED;
    if (options.palette != PaletteRule::AUTO) return options.palette;
    if (!picture.indexed) {
        summary.reason = RuleReason::NOT_INDEXED;
        return PaletteRule::GENERATE;
    }
    if (!whole_units(picture, options)) {
        summary.reason = RuleReason::NOT_WHOLE_UNITS;
        return PaletteRule::GENERATE;
    }
    UnitBanks units;
    BankPalette palette;
    if (!keep_banks(picture, noun, options.unit_width, options.unit_height, units, palette)) {
        clear_failure();  // not a failure here: the reason to arrange banks instead
        const auto u = static_cast<uint32_t>(
            std::find(units.failing.begin(), units.failing.end(), 1) - units.failing.begin());
        summary.reason = RuleReason::MIXED_UNIT;
        summary.mixed_x = units.grid.x_of(u);
        summary.mixed_y = units.grid.y_of(u);
        return PaletteRule::GENERATE;
    }
    summary.reason = RuleReason::ONE_BANK_UNITS;
    return PaletteRule::KEEP;
}

bool assign_banks(const UnitInputs& in, const PictureOptions& options, std::vector<UnitBanks>& out,
                  BankPalette& palette, std::vector<PictureSummary>& summaries) {
    out.clear();
    summaries.assign(in.pictures.size(), PictureSummary{});
    if (in.pictures.empty()) return true;

    PaletteRule rule = PaletteRule::KEEP;
    RuleReason reason = RuleReason::ASKED;
    uint32_t mixed_x = 0, mixed_y = 0;
    uint16_t first_palette[256] = {};
    for (uint32_t p = 0; p < in.pictures.size(); ++p) {
        const Picture& pic = *in.pictures[p];
        PictureSummary& s = summaries[p];
        s.width = pic.width;
        s.height = pic.height;
        s.padded_width = padded_side(pic.width, options.unit_width);
        s.padded_height = padded_side(pic.height, options.unit_height);
        if (rule != PaletteRule::KEEP || options.palette != PaletteRule::AUTO) continue;
        PaletteRule own = decide_rule(pic, options, *in.noun, s);
        // Keeping a level's indices would hide what Tiled draws with colour number 0.
        if (own == PaletteRule::KEEP && is_level(in, p) &&
            opaque_colour_0(pic, s.mixed_x, s.mixed_y) > 0) {
            own = PaletteRule::GENERATE;
            s.reason = RuleReason::OPAQUE_COLOUR_0;
        }
        if (own != PaletteRule::KEEP) {
            rule = own;
            reason = s.reason;
            mixed_x = s.mixed_x;
            mixed_y = s.mixed_y;
            continue;
        }
        uint16_t colours[256] = {};
        for (size_t i = 0; i < pic.palette.size() && i < 256; ++i)
            colours[i] = rgb_to_col(pic.palette[i].r, pic.palette[i].g, pic.palette[i].b);
        if (p == 0) {
            std::memcpy(first_palette, colours, sizeof colours);
            reason = s.reason;
        } else if (std::memcmp(first_palette, colours, sizeof colours) != 0) {
            rule = PaletteRule::GENERATE;
            reason = RuleReason::PALETTES_DIFFER;
        }
    }
    if (options.palette != PaletteRule::AUTO) rule = options.palette;

    TransparentKey key;
    bool ok = true;
    bool reduced = false;
    ReduceQuality quality;
    switch (rule) {
        case PaletteRule::KEEP:
            key.source = KeySource::INDEX_0;
            out.resize(in.pictures.size());
            for (uint32_t p = 0; p < in.pictures.size(); ++p) {
                BankPalette own;
                // Every picture's refusals are marked; the reason is the first one's.
                const bool kept = keep_banks(*in.pictures[p], *in.noun, in.unit_width,
                                             in.unit_height, out[p], own);
                if (p == 0) palette = own;
                palette.used = static_cast<uint16_t>(palette.used | own.used);
                ok = ok && kept;
                uint32_t x = 0, y = 0;
                if (is_level(in, p))
                    summaries[p].hidden_by_keep = opaque_colour_0(*in.pictures[p], x, y);
            }
            break;
        case PaletteRule::FILE: {
            uint16_t colours[256];
            key = choose_transparent_key(in.pictures, in.levels, options);
            if (!read_palette_file(options.palette_file.c_str(), colours)) return false;
            ok = banks_from_palette(in, key, colours, out, palette);
            if (!ok && options.reduce && reduction_answers(last_failure_reason())) {
                clear_failure();
                reduced = true;
                ok = reduce_banks(in, key, colours, options.dither, out, palette, quality);
            }
            break;
        }
        case PaletteRule::GENERATE:
        case PaletteRule::AUTO:
            rule = PaletteRule::GENERATE;
            key = choose_transparent_key(in.pictures, in.levels, options);
            ok = arrange_banks(in, key, options.pack_effort, out, palette);
            // Only a picture the exact rule refuses for its colours is reduced,
            // so that one that converts exactly keeps its bytes.
            if (!ok && options.reduce && reduction_answers(last_failure_reason())) {
                clear_failure();
                reduced = true;
                palette = BankPalette{};
                ok = reduce_banks(in, key, nullptr, options.dither, out, palette, quality);
            }
            break;
    }
    if (key.source == KeySource::GIVEN)
        for (uint32_t p = 0; p < in.pictures.size(); ++p) {
            const KeyMatch m = match_key(*in.pictures[p], options.transparent_colour);
            summaries[p].key_pixels = m.exact;
            summaries[p].near_key_pixels = m.near;
        }
    for (PictureSummary& s : summaries) {
        s.rule = rule;
        if (options.palette == PaletteRule::AUTO) {
            s.reason = reason;
            s.mixed_x = mixed_x;
            s.mixed_y = mixed_y;
        } else {
            s.reason = RuleReason::ASKED;
        }
        s.key_source = key.source;
        s.key = key.key;
        s.banks_used = palette.used;
        s.bank_count = rule == PaletteRule::GENERATE
                           ? palette.count
                           : static_cast<uint32_t>(std::popcount(palette.used));
        s.fewest = palette.fewest;
        s.lower_bound = palette.lower_bound;
        s.reduced = reduced;
        s.psnr = quality.psnr;
        s.max_error = quality.max_error;
    }
    return ok;
}

}  // namespace tw
