#include "palettes/unit_banks.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <map>
#include <unordered_map>

#include "common/failure.h"
#include "extract/bmp_output.h"
#include "palettes/palette_pack.h"
#include "picture/bmp_image.h"
#include "resources/texts.h"

namespace tw {
namespace {

// How many further units a refusal lists after the first.
constexpr size_t kUnitsListed = 10;

struct UnitRef {
    uint32_t picture, unit;
};

UnitBanks empty_banks(const ColourPicture& cp, const UnitInputs& in) {
    UnitBanks b;
    b.grid = unit_grid(cp.width, cp.height, in.unit_width, in.unit_height);
    b.width = cp.width;
    b.height = cp.height;
    b.bank.assign(b.grid.count(), 0);
    b.drawn.assign(b.grid.count(), 0);
    b.failing.assign(b.grid.count(), 0);
    b.numbers.assign(cp.colours.size(), 0);
    return b;
}

// "X,Y" of a unit, after its picture's name when pictures share the banks.
std::string where(const UnitInputs& in, const std::vector<UnitBanks>& out, UnitRef r) {
    std::string s;
    if (!in.names.empty()) s = in.names[r.picture] + ' ';
    const UnitGrid& g = out[r.picture].grid;
    return s + std::to_string(g.x_of(r.unit)) + ',' + std::to_string(g.y_of(r.unit));
}

// Records a refusal of one picture's unit, naming the picture when several share the banks.
void refuse(const UnitInputs& in, uint32_t picture, const Text& reason, const std::string& text) {
    if (in.names.empty())
        record_failure(&reason, false, "%s", text.c_str());
    else
        record_failure(&reason, false, kReasonInPicture.get(), in.names[picture].c_str(),
                       text.c_str());
}

// The distinct opaque colours of each unit, ascending.
std::vector<ColourSet> unit_sets(const ColourPicture& cp, const UnitGrid& g) {
    std::vector<ColourSet> sets(g.count());
    for (uint32_t u = 0; u < g.count(); ++u) {
        ColourSet& s = sets[u];
        for (uint32_t y = g.y_of(u); y < g.y_of(u) + g.unit_height; ++y)
            for (uint32_t x = g.x_of(u); x < g.x_of(u) + g.unit_width; ++x) {
                const int32_t c = cp.colours[size_t{y} * cp.width + x];
                if (c != kTransparentPixel) s.push_back(static_cast<uint16_t>(c));
            }
        std::sort(s.begin(), s.end());
        s.erase(std::unique(s.begin(), s.end()), s.end());
    }
    return sets;
}

// The colour sets of every picture; false, naming the first unit of more than
// 15 colours and up to ten more, when there is such a unit.
bool collect_sets(const UnitInputs& in, const std::vector<ColourPicture>& cps,
                  std::vector<UnitBanks>& out, std::vector<std::vector<ColourSet>>& sets) {
    std::vector<UnitRef> over;
    for (uint32_t p = 0; p < cps.size(); ++p) {
        out.push_back(empty_banks(cps[p], in));
        sets.push_back(unit_sets(cps[p], out[p].grid));
        for (uint32_t u = 0; u < sets[p].size(); ++u) {
            out[p].drawn[u] = !sets[p][u].empty();
            if (sets[p][u].size() <= kBankColours) continue;
            out[p].failing[u] = 1;
            over.push_back({p, u});
        }
    }
    if (over.empty()) return true;
    std::string more;
    for (size_t i = 1; i < over.size() && i <= kUnitsListed; ++i) {
        if (i > 1) more += ", ";
        more += where(in, out, over[i]) + " (" +
                std::to_string(sets[over[i].picture][over[i].unit].size()) + ")";
    }
    if (over.size() > kUnitsListed + 1)
        more += say(kUnitsMore, static_cast<unsigned>(over.size() - kUnitsListed - 1));
    const UnitRef f = over[0];
    const UnitGrid& g = out[f.picture].grid;
    refuse(in, f.picture, kReasonUnitColours,
           say(kReasonUnitColours, in.noun->get(), g.x_of(f.unit), g.y_of(f.unit),
               static_cast<unsigned>(sets[f.picture][f.unit].size()),
               more.empty() ? "" : say(kUnitsAlso, more.c_str()).c_str()));
    return false;
}

// The colour numbers of each unit's pixels in its bank (entries 16b + 1 on).
void number_pixels(const ColourPicture& cp, const uint16_t (&colours)[256], UnitBanks& b) {
    for (uint32_t u = 0; u < b.grid.count(); ++u) {
        if (!b.drawn[u] || b.failing[u]) continue;
        const uint16_t* entries = colours + 16 * b.bank[u];
        for (uint32_t y = b.grid.y_of(u); y < b.grid.y_of(u) + b.grid.unit_height; ++y)
            for (uint32_t x = b.grid.x_of(u); x < b.grid.x_of(u) + b.grid.unit_width; ++x) {
                const size_t i = size_t{y} * cp.width + x;
                if (cp.colours[i] == kTransparentPixel) continue;
                uint8_t n = 1;
                while (n < 16 && entries[n] != cp.colours[i]) ++n;
                b.numbers[i] = n;
            }
    }
}

uint32_t luma(uint16_t colour) {
    const uint32_t bgr = col_to_bgr0(colour);
    return 299 * (bgr >> 16 & 0xFF) + 587 * (bgr >> 8 & 0xFF) + 114 * (bgr & 0xFF);
}

// The order of colours inside a bank: the pictures' palette order when every
// picture is indexed, else darkest first.
void order_bank(const UnitInputs& in, ColourSet& bank) {
    const bool indexed = std::all_of(in.pictures.begin(), in.pictures.end(),
                                     [](const Picture* p) { return p->indexed; });
    if (!indexed) {
        std::sort(bank.begin(), bank.end(), [](uint16_t a, uint16_t b) {
            const uint32_t la = luma(a), lb = luma(b);
            return la != lb ? la < lb : a < b;
        });
        return;
    }
    std::unordered_map<uint16_t, uint32_t> rank;
    for (uint32_t p = 0; p < in.pictures.size(); ++p) {
        const auto& palette = in.pictures[p]->palette;
        for (uint32_t i = 0; i < palette.size(); ++i)
            rank.emplace(rgb_to_col(palette[i].r, palette[i].g, palette[i].b), p * 256 + i);
    }
    auto rank_of = [&](uint16_t c) {
        auto it = rank.find(c);
        return it == rank.end() ? UINT32_MAX : it->second;
    };
    std::stable_sort(bank.begin(), bank.end(),
                     [&](uint16_t a, uint16_t b) { return rank_of(a) < rank_of(b); });
}

std::vector<ColourPicture> colour_pictures(const UnitInputs& in, const TransparentKey& key) {
    std::vector<ColourPicture> cps;
    for (size_t p = 0; p < in.pictures.size(); ++p)
        cps.push_back(
            picture_colours(*in.pictures[p], key.colours[p], in.unit_width, in.unit_height));
    return cps;
}

// "#RRGGBB" of the first opaque pixel of the unit whose target colour is `colour`.
std::string own_colour(const Picture& picture, const ColourPicture& cp, const UnitGrid& g,
                       uint32_t unit, uint16_t colour) {
    for (uint32_t y = g.y_of(unit); y < std::min(g.y_of(unit) + g.unit_height, picture.height); ++y)
        for (uint32_t x = g.x_of(unit); x < std::min(g.x_of(unit) + g.unit_width, picture.width);
             ++x) {
            const Rgba& p = picture.pixels[size_t{y} * picture.width + x];
            if (cp.colours[size_t{y} * cp.width + x] == colour)
                return say("#%02X%02X%02X", static_cast<unsigned>(p.r), static_cast<unsigned>(p.g),
                           static_cast<unsigned>(p.b));
        }
    return "";
}

// Says whether more banks than there are are proven needed, and by what,
// or were only not found within the steps.
void set_too_many_banks(const PaletteArrangement& a, const char* noun, const char* list) {
    std::string bound;
    if (a.lower_bound > kMaxBanks && a.bound == PackBound::CLIQUE)
        bound = say(kPackBoundClique, a.lower_bound);
    else if (a.lower_bound > kMaxBanks)
        bound = kPackBoundColours.get();
    else if (a.proven)
        bound = kPackBoundSearch.get();
    if (bound.empty())
        set_failure(kReasonTooManyBanks, a.best_count, a.lower_bound,
                    static_cast<unsigned long long>(a.steps), noun, list);
    else
        set_failure(kReasonTooManyBanksProven, a.proven ? a.best_count : a.lower_bound,
                    bound.c_str(), noun, list);
}

}  // namespace

UnitGrid unit_grid(uint32_t width, uint32_t height, uint32_t unit_width, uint32_t unit_height) {
    UnitGrid g;
    g.unit_width = unit_width;
    g.unit_height = unit_height;
    g.across = width / unit_width;
    g.down = height / unit_height;
    return g;
}

bool arrange_banks(const UnitInputs& in, const TransparentKey& key, uint64_t effort,
                   std::vector<UnitBanks>& out, BankPalette& palette) {
    const std::vector<ColourPicture> cps = colour_pictures(in, key);
    std::vector<std::vector<ColourSet>> sets;
    if (!collect_sets(in, cps, out, sets)) return false;

    // Each distinct set once, in the order of its first unit, so that banks
    // numbered by their first set are numbered by their first unit.
    std::map<ColourSet, uint32_t> known;
    std::vector<ColourSet> distinct;
    std::vector<UnitRef> first_unit;
    std::vector<std::vector<uint32_t>> set_of_unit(sets.size());
    for (uint32_t p = 0; p < sets.size(); ++p)
        for (uint32_t u = 0; u < sets[p].size(); ++u) {
            if (sets[p][u].empty()) {
                set_of_unit[p].push_back(UINT32_MAX);
                continue;
            }
            auto [it, added] = known.emplace(sets[p][u], static_cast<uint32_t>(distinct.size()));
            if (added) {
                distinct.push_back(sets[p][u]);
                first_unit.push_back({p, u});
            }
            set_of_unit[p].push_back(it->second);
        }

    const PaletteArrangement a = pack_palettes(distinct, effort);
    palette.lower_bound = a.lower_bound;
    if (!a.fits) {
        std::vector<uint8_t> left(distinct.size(), 0);
        for (uint32_t s : a.left_over) left[s] = 1;
        for (uint32_t p = 0; p < sets.size(); ++p)
            for (uint32_t u = 0; u < sets[p].size(); ++u)
                if (set_of_unit[p][u] != UINT32_MAX && left[set_of_unit[p][u]])
                    out[p].failing[u] = 1;
        std::string list;
        for (size_t i = 0; i < a.left_over.size() && i <= kUnitsListed; ++i) {
            if (i > 0) list += ", ";
            list += where(in, out, first_unit[a.left_over[i]]);
        }
        if (a.left_over.size() > kUnitsListed + 1)
            list += say(kUnitsMore, static_cast<unsigned>(a.left_over.size() - kUnitsListed - 1));
        set_too_many_banks(a, in.noun->get(), list.c_str());
        return false;
    }

    palette.count = static_cast<uint32_t>(a.banks.size());
    palette.fewest = a.proven;
    for (uint32_t b = 0; b < a.banks.size(); ++b) {
        ColourSet bank = a.banks[b];
        order_bank(in, bank);
        palette.colours[16 * b] = key.key;
        for (size_t i = 0; i < bank.size(); ++i) palette.colours[16 * b + 1 + i] = bank[i];
    }
    for (uint32_t p = 0; p < sets.size(); ++p) {
        for (uint32_t u = 0; u < sets[p].size(); ++u) {
            if (set_of_unit[p][u] == UINT32_MAX) continue;
            out[p].bank[u] = static_cast<uint8_t>(a.bank_of_set[set_of_unit[p][u]]);
            palette.used = static_cast<uint16_t>(palette.used | 1u << out[p].bank[u]);
        }
        number_pixels(cps[p], palette.colours, out[p]);
    }
    return true;
}

bool banks_from_palette(const UnitInputs& in, const TransparentKey& key,
                        const uint16_t (&colours)[256], std::vector<UnitBanks>& out,
                        BankPalette& palette) {
    const std::vector<ColourPicture> cps = colour_pictures(in, key);
    std::vector<std::vector<ColourSet>> sets;
    if (!collect_sets(in, cps, out, sets)) return false;
    std::copy(std::begin(colours), std::end(colours), palette.colours);
    for (uint32_t b = 0; b < 16; ++b) palette.colours[16 * b] = key.key;

    bool refused = false;
    for (uint32_t p = 0; p < sets.size(); ++p) {
        for (uint32_t u = 0; u < sets[p].size(); ++u) {
            const ColourSet& s = sets[p][u];
            if (s.empty()) continue;
            // The bank holding the most of the unit's colours, the lowest of equals.
            uint32_t best = 0;
            size_t best_held = 0;
            for (uint32_t b = 0; b < 16 && best_held < s.size(); ++b) {
                const uint16_t* e = palette.colours + 16 * b + 1;
                const size_t held =
                    static_cast<size_t>(std::count_if(s.begin(), s.end(), [&](uint16_t c) {
                        return std::find(e, e + 15, c) != e + 15;
                    }));
                if (held > best_held || b == 0) {
                    best = b;
                    best_held = held;
                }
            }
            if (best_held == s.size()) {
                out[p].bank[u] = static_cast<uint8_t>(best);
                palette.used = static_cast<uint16_t>(palette.used | 1u << best);
                continue;
            }
            out[p].failing[u] = 1;
            if (refused) continue;
            refused = true;
            std::string missing;
            const uint16_t* e = palette.colours + 16 * best + 1;
            for (uint16_t c : s)
                if (std::find(e, e + 15, c) == e + 15) {
                    if (!missing.empty()) missing += ", ";
                    missing += own_colour(*in.pictures[p], cps[p], out[p].grid, u, c);
                }
            refuse(in, p, kReasonNoBankHolds,
                   say(kReasonNoBankHolds, in.noun->get(), out[p].grid.x_of(u), out[p].grid.y_of(u),
                       best, missing.c_str()));
        }
        number_pixels(cps[p], palette.colours, out[p]);
    }
    return !refused;
}

bool keep_banks(const Picture& picture, const Text& noun, uint32_t unit_width, uint32_t unit_height,
                UnitBanks& out, BankPalette& palette) {
    if (!picture.indexed) {
        set_failure(kReasonKeepNotIndexed);
        return false;
    }
    out = UnitBanks{};
    out.width = padded_side(picture.width, unit_width);
    out.height = padded_side(picture.height, unit_height);
    out.grid = unit_grid(out.width, out.height, unit_width, unit_height);
    out.bank.assign(out.grid.count(), 0);
    out.drawn.assign(out.grid.count(), 0);
    out.failing.assign(out.grid.count(), 0);
    out.numbers.assign(size_t{out.width} * out.height, 0);
    for (size_t i = 0; i < picture.palette.size() && i < 256; ++i)
        palette.colours[i] =
            rgb_to_col(picture.palette[i].r, picture.palette[i].g, picture.palette[i].b);
    bool refused = false;
    for (uint32_t y = 0; y < picture.height; ++y)
        for (uint32_t x = 0; x < picture.width; ++x) {
            const uint8_t index = picture.indices[size_t{y} * picture.width + x];
            if ((index & 15) == 0) continue;
            out.numbers[size_t{y} * out.width + x] = index & 15;
            const uint32_t u = y / unit_height * out.grid.across + x / unit_width;
            const auto bank = static_cast<uint8_t>(index >> 4);
            if (!out.drawn[u]) {
                out.drawn[u] = 1;
                out.bank[u] = bank;
            } else if (out.bank[u] != bank) {
                out.failing[u] = 1;
            }
        }
    for (uint32_t u = 0; u < out.grid.count(); ++u) {
        if (out.failing[u] && !refused) {
            refused = true;
            set_failure(kReasonUnitMixedBanks, noun.get(), out.grid.x_of(u), out.grid.y_of(u));
        }
        if (out.drawn[u] && !out.failing[u])
            palette.used = static_cast<uint16_t>(palette.used | 1u << out.bank[u]);
    }
    return !refused;
}

}  // namespace tw
