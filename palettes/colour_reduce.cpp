#include "palettes/colour_reduce.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "common/failure.h"
#include "palettes/oklab.h"
#include "palettes/palette_pack.h"
#include "picture/bmp_image.h"
#include "resources/texts.h"

namespace tw {
namespace {

constexpr uint32_t kMaxSide = 16384;
constexpr int32_t kRgbStep = 16;            // RGB points in steps of 1/16 of an 8-bit level
constexpr int kRounds = 10;                 // assign units to banks, rebuild the banks
constexpr int kLloydSteps = 6;              // k-means steps of one bank's colours while grouping
constexpr int kPolishSteps = 64;            // k-means steps of one bank's colours once grouped
constexpr int kPolishRounds = 64;           // alternations of the polish, at most
constexpr int kSwapTries = 16;              // moves of a bank's least useful colour, at most
constexpr int64_t kNoBank = INT64_MAX / 4;  // the error of drawing with an empty bank

int64_t round_div(int64_t n, int64_t d) {
    return n >= 0 ? (n + d / 2) / d : -((-n + d / 2) / d);
}

// splitmix64: our own generator, so that seeding picks the same units with
// every standard library.
struct Rng {
    uint64_t state = 0x7461696c65726564u;
    uint64_t next() {
        uint64_t z = (state += 0x9e3779b97f4a7c15u);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9u;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebu;
        return z ^ (z >> 31);
    }
};

// The picture as units, for finding banks. Pixels are gathered into bins, one
// for each target colour they round to (the bin's colour), and a bin stands
// for its pixels by the mean of their coordinates (in Oklab, and in RGB): the
// squared error of drawing pixels with a colour is their squared distance to
// their mean plus their count times the mean's squared distance to the
// colour, so the bins lose nothing that matters to the search.
struct Units {
    uint32_t across = 0, down = 0;
    std::vector<Oklab> labs;         // the mean of each bin
    std::vector<Oklab> rgbs;         // the same in RGB points (see Space)
    std::vector<uint16_t> colour;    // the target colour its pixels round to
    std::vector<uint32_t> of_pixel;  // a bin for each pixel; kTransparent where a == 0
    std::vector<uint32_t> begin;     // unit u owns entries [begin[u], begin[u + 1])
    std::vector<uint32_t> index;     // entry: a bin
    std::vector<uint32_t> count;     // entry: the unit's pixels in it
    uint32_t entries(uint32_t u) const { return begin[u + 1] - begin[u]; }
    size_t bins() const { return labs.size(); }
};

constexpr uint32_t kTransparent = UINT32_MAX;

// Colours are compared in one of two spaces, a point of either held in an
// Oklab record: Oklab itself, in which units are grouped, and RGB as drawn
// (L, a and b holding red, green and blue in kRgbStep steps to one 8-bit
// level), in which the grouped banks are finished and pixels drawn, since
// that is the error that PSNR counts.
struct Space {
    const std::vector<Oklab>& bins;       // the mean of each bin
    const Oklab& (*point_of)(uint16_t);   // a target colour's point
    uint16_t (*colour_at)(const Oklab&);  // the target colour nearest a point
};

const Oklab& rgb_point(uint16_t colour) {
    static const std::vector<Oklab> table = [] {
        std::vector<Oklab> t(65536);
        for (uint32_t c = 0; c < t.size(); ++c) {
            const Rgb8 w = widen_target_colour(static_cast<uint16_t>(c));
            t[c] = Oklab{kRgbStep * w.r, kRgbStep * w.g, kRgbStep * w.b};
        }
        return t;
    }();
    return table[colour];
}

// Channel by channel, as a pixel's own colour is found.
uint16_t nearest_rgb_colour(const Oklab& point) {
    const auto channel = [](int32_t v) {
        return static_cast<uint8_t>(std::clamp((v + kRgbStep / 2) / kRgbStep, 0, 255));
    };
    return rgb_to_nearest_col(channel(point.L), channel(point.a), channel(point.b));
}

Space oklab_space(const Units& u) {
    return Space{u.labs, target_oklab, nearest_target_colour};
}

Space rgb_space(const Units& u) {
    return Space{u.rgbs, rgb_point, nearest_rgb_colour};
}

struct Item {
    uint32_t index;  // a bin
    uint64_t weight;
};

using Palette = std::vector<uint16_t>;

uint16_t rounded_target(const Rgba& p) {
    return rgb_to_nearest_col(p.r, p.g, p.b);
}

Units collect_units(const ReduceRequest& rq) {
    Units u;
    u.across = (rq.width + rq.unit_width - 1) / rq.unit_width;
    u.down = (rq.height + rq.unit_height - 1) / rq.unit_height;
    const size_t n = size_t{rq.width} * rq.height;
    u.of_pixel.assign(n, kTransparent);
    // Bins numbered in the order of their target colours, found by sorting
    // rather than by a table of every colour, so that a small picture costs
    // little.
    for (size_t i = 0; i < n; ++i)
        if (rq.pixels[i].a != 0) u.colour.push_back(rounded_target(rq.pixels[i]));
    std::sort(u.colour.begin(), u.colour.end());
    u.colour.erase(std::unique(u.colour.begin(), u.colour.end()), u.colour.end());
    const auto bins = static_cast<uint32_t>(u.colour.size());
    std::vector<int64_t> sums(7 * size_t{bins}, 0);
    Rgba last{0, 0, 0, 0};
    Oklab last_lab{};
    uint32_t bin = kTransparent;
    for (size_t i = 0; i < n; ++i) {
        const Rgba& p = rq.pixels[i];
        if (p.a == 0) continue;
        // Neighbours are often alike: the last conversion is kept.
        if (bin == kTransparent || p.r != last.r || p.g != last.g || p.b != last.b) {
            last = p;
            last_lab = oklab_from_rgb(p.r, p.g, p.b);
            bin = static_cast<uint32_t>(
                std::lower_bound(u.colour.begin(), u.colour.end(), rounded_target(p)) -
                u.colour.begin());
        }
        u.of_pixel[i] = bin;
        int64_t* s = &sums[7 * size_t{bin}];
        s[0] += 1;
        s[1] += last_lab.L;
        s[2] += last_lab.a;
        s[3] += last_lab.b;
        s[4] += p.r;
        s[5] += p.g;
        s[6] += p.b;
    }
    for (uint32_t b = 0; b < bins; ++b) {
        const int64_t* s = &sums[7 * size_t{b}];
        u.labs.push_back(Oklab{static_cast<int32_t>(round_div(s[1], s[0])),
                               static_cast<int32_t>(round_div(s[2], s[0])),
                               static_cast<int32_t>(round_div(s[3], s[0]))});
        u.rgbs.push_back(Oklab{static_cast<int32_t>(round_div(kRgbStep * s[4], s[0])),
                               static_cast<int32_t>(round_div(kRgbStep * s[5], s[0])),
                               static_cast<int32_t>(round_div(kRgbStep * s[6], s[0]))});
    }
    const size_t units = size_t{u.across} * u.down;
    std::vector<uint32_t> stamp(bins, UINT32_MAX), slot(bins);
    u.begin.reserve(units + 1);
    std::vector<std::pair<uint32_t, uint32_t>> e;
    for (uint32_t unit = 0; unit < units; ++unit) {
        const auto start = static_cast<uint32_t>(u.index.size());
        u.begin.push_back(start);
        const uint32_t x0 = unit % u.across * rq.unit_width, y0 = unit / u.across * rq.unit_height;
        const uint32_t x1 = std::min(x0 + rq.unit_width, rq.width);
        const uint32_t y1 = std::min(y0 + rq.unit_height, rq.height);
        for (uint32_t y = y0; y < y1; ++y)
            for (uint32_t x = x0; x < x1; ++x) {
                const uint32_t b = u.of_pixel[size_t{y} * rq.width + x];
                if (b == kTransparent) continue;
                if (stamp[b] != unit) {
                    stamp[b] = unit;
                    slot[b] = static_cast<uint32_t>(u.index.size());
                    u.index.push_back(b);
                    u.count.push_back(0);
                }
                ++u.count[slot[b]];
            }
        // Entries in bin order, so that nothing later depends on pixel order.
        e.clear();
        for (uint32_t k = start; k < u.index.size(); ++k) e.emplace_back(u.index[k], u.count[k]);
        std::sort(e.begin(), e.end());
        for (uint32_t k = 0; k < e.size(); ++k) {
            u.index[start + k] = e[k].first;
            u.count[start + k] = e[k].second;
        }
    }
    u.begin.push_back(static_cast<uint32_t>(u.index.size()));
    return u;
}

std::vector<Oklab> points_of(const Palette& palette, const Space& space) {
    std::vector<Oklab> points;
    for (uint16_t c : palette) points.push_back(space.point_of(c));
    return points;
}

// The nearest entry (the lowest on a tie) and its distance.
std::pair<uint32_t, int64_t> nearest(const Oklab& p, const std::vector<Oklab>& labs) {
    uint32_t best = 0;
    int64_t best_d = INT64_MAX;
    for (uint32_t k = 0; k < labs.size(); ++k) {
        const int64_t d = oklab_distance2(p, labs[k]);
        if (d < best_d) {
            best = k;
            best_d = d;
        }
    }
    return {best, best_d};
}

// Median cut: the box of largest weighted spread is split at its weighted
// median along its widest axis, until there are `size` boxes; each box gives
// the target colour nearest its mean.
Palette median_cut(const std::vector<Item>& items, const Space& space, uint32_t size) {
    struct Box {
        uint32_t begin, end;
        int64_t spread;
        int axis;
    };
    std::vector<Item> order = items;
    const auto coord = [&](const Item& it, int axis) {
        const Oklab& l = space.bins[it.index];
        return axis == 0 ? l.L : axis == 1 ? l.a : l.b;
    };
    const auto measure = [&](uint32_t begin, uint32_t end) {
        Box box{begin, end, 0, 0};
        int64_t weight = 0;
        int64_t sum[3] = {0, 0, 0};
        for (uint32_t k = begin; k < end; ++k) {
            weight += static_cast<int64_t>(order[k].weight);
            for (int a = 0; a < 3; ++a)
                sum[a] += static_cast<int64_t>(order[k].weight) * coord(order[k], a);
        }
        for (int a = 0; a < 3; ++a) {
            // Spread in 2^-12 units, so that a sum over a large picture stays in range.
            const int64_t mean = round_div(sum[a], weight);
            int64_t spread = 0;
            for (uint32_t k = begin; k < end; ++k) {
                const int64_t d = (coord(order[k], a) - mean) >> 4;
                spread += static_cast<int64_t>(order[k].weight) * d * d;
            }
            if (spread > box.spread) {
                box.spread = spread;
                box.axis = a;
            }
        }
        return box;
    };
    std::vector<Box> boxes{measure(0, static_cast<uint32_t>(order.size()))};
    while (boxes.size() < size) {
        size_t pick = boxes.size();
        for (size_t k = 0; k < boxes.size(); ++k)
            if (boxes[k].end - boxes[k].begin > 1 && boxes[k].spread > 0 &&
                (pick == boxes.size() || boxes[k].spread > boxes[pick].spread))
                pick = k;
        if (pick == boxes.size()) break;
        const Box box = boxes[pick];
        std::sort(order.begin() + box.begin, order.begin() + box.end,
                  [&](const Item& x, const Item& y) {
                      const int32_t cx = coord(x, box.axis), cy = coord(y, box.axis);
                      return cx != cy ? cx < cy : x.index < y.index;
                  });
        uint64_t total = 0, run = 0;
        for (uint32_t k = box.begin; k < box.end; ++k) total += order[k].weight;
        uint32_t split = box.begin + 1;
        for (uint32_t k = box.begin; k + 1 < box.end; ++k) {
            run += order[k].weight;
            split = k + 1;
            if (2 * run >= total) break;
        }
        boxes[pick] = measure(box.begin, split);
        boxes.push_back(measure(split, box.end));
    }
    Palette palette;
    for (const Box& box : boxes) {
        int64_t weight = 0, sum[3] = {0, 0, 0};
        for (uint32_t k = box.begin; k < box.end; ++k) {
            weight += static_cast<int64_t>(order[k].weight);
            for (int a = 0; a < 3; ++a)
                sum[a] += static_cast<int64_t>(order[k].weight) * coord(order[k], a);
        }
        palette.push_back(space.colour_at(Oklab{static_cast<int32_t>(round_div(sum[0], weight)),
                                                static_cast<int32_t>(round_div(sum[1], weight)),
                                                static_cast<int32_t>(round_div(sum[2], weight))}));
    }
    return palette;
}

// k-means from a starting palette: items to their nearest entry, entries to
// the target colour nearest their items' mean; an entry left without items
// takes the worst-drawn item's colour. Returns the best palette seen and its
// error.
std::pair<Palette, int64_t> refine(const std::vector<Item>& items, const Units& u,
                                   const Space& space, Palette palette, int steps = kLloydSteps) {
    Palette best;
    int64_t best_error = INT64_MAX;
    std::vector<uint32_t> owner(items.size());
    std::vector<int64_t> cost(items.size());
    for (int step = 0; step <= steps; ++step) {
        const std::vector<Oklab> points = points_of(palette, space);
        int64_t error = 0;
        for (size_t k = 0; k < items.size(); ++k) {
            const auto [e, d] = nearest(space.bins[items[k].index], points);
            owner[k] = e;
            cost[k] = static_cast<int64_t>(items[k].weight) * d;
            error += cost[k];
        }
        if (error < best_error) {
            best = palette;
            best_error = error;
        }
        if (step == steps || error == 0) break;
        std::vector<int64_t> sums(4 * palette.size(), 0);
        for (size_t k = 0; k < items.size(); ++k) {
            const Oklab& l = space.bins[items[k].index];
            const auto w = static_cast<int64_t>(items[k].weight);
            int64_t* s = &sums[4 * owner[k]];
            s[0] += w;
            s[1] += w * l.L;
            s[2] += w * l.a;
            s[3] += w * l.b;
        }
        Palette next(palette.size());
        std::vector<bool> taken(items.size(), false);
        for (size_t e = 0; e < palette.size(); ++e) {
            const int64_t* s = &sums[4 * e];
            if (s[0] > 0) {
                next[e] = space.colour_at(Oklab{static_cast<int32_t>(round_div(s[1], s[0])),
                                                static_cast<int32_t>(round_div(s[2], s[0])),
                                                static_cast<int32_t>(round_div(s[3], s[0]))});
                continue;
            }
            size_t worst = items.size();
            for (size_t k = 0; k < items.size(); ++k)
                if (!taken[k] && cost[k] > 0 && (worst == items.size() || cost[k] > cost[worst]))
                    worst = k;
            if (worst == items.size()) {
                next[e] = palette[e];
            } else {
                taken[worst] = true;
                next[e] = u.colour[items[worst].index];
            }
        }
        if (next == palette) break;
        palette = std::move(next);
    }
    return {best, best_error};
}

// k-means settles in the nearest local minimum; this leaves it: the entry
// whose loss would cost least moves to the worst-drawn item's colour and
// k-means runs again, kept while the error falls.
Palette swap_refine(const std::vector<Item>& items, const Units& u, const Space& space,
                    Palette palette) {
    int64_t error = refine(items, u, space, palette, 0).second;
    for (int t = 0; t < kSwapTries && error > 0 && palette.size() > 1; ++t) {
        const std::vector<Oklab> points = points_of(palette, space);
        std::vector<int64_t> loss(points.size(), 0);
        size_t worst = 0;
        int64_t worst_cost = -1;
        for (size_t k = 0; k < items.size(); ++k) {
            const Oklab& p = space.bins[items[k].index];
            int64_t d1 = INT64_MAX, d2 = INT64_MAX;
            size_t e1 = 0;
            for (size_t e = 0; e < points.size(); ++e) {
                const int64_t d = oklab_distance2(p, points[e]);
                if (d < d1) {
                    d2 = d1;
                    d1 = d;
                    e1 = e;
                } else if (d < d2) {
                    d2 = d;
                }
            }
            const auto w = static_cast<int64_t>(items[k].weight);
            loss[e1] += w * (d2 - d1);
            if (w * d1 > worst_cost) {
                worst_cost = w * d1;
                worst = k;
            }
        }
        const auto cheapest =
            static_cast<size_t>(std::min_element(loss.begin(), loss.end()) - loss.begin());
        Palette trial = palette;
        trial[cheapest] = space.colour_at(space.bins[items[worst].index]);
        auto [next, next_error] = refine(items, u, space, std::move(trial), kPolishSteps);
        if (next_error >= error) break;
        palette = std::move(next);
        error = next_error;
    }
    std::sort(palette.begin(), palette.end());
    palette.erase(std::unique(palette.begin(), palette.end()), palette.end());
    return palette;
}

// The colours for a set of pixels: the colours of their bins when they are
// few enough, else the better of median cut and (when given) the current
// palette, each refined.
Palette palette_for(const std::vector<Item>& items, const Units& u, const Space& space,
                    const Palette& current, int steps = kLloydSteps) {
    Palette palette;
    for (const Item& it : items) palette.push_back(u.colour[it.index]);
    std::sort(palette.begin(), palette.end());
    palette.erase(std::unique(palette.begin(), palette.end()), palette.end());
    if (palette.size() > kBankColours) {
        auto [cut, cut_error] =
            refine(items, u, space, median_cut(items, space, kBankColours), steps);
        palette = std::move(cut);
        if (!current.empty()) {
            auto [warm, warm_error] = refine(items, u, space, current, steps);
            if (warm_error < cut_error) palette = std::move(warm);
        }
    }
    std::sort(palette.begin(), palette.end());
    palette.erase(std::unique(palette.begin(), palette.end()), palette.end());
    return palette;
}

std::vector<Item> unit_items(const Units& u, uint32_t unit) {
    std::vector<Item> items;
    for (uint32_t k = u.begin[unit]; k < u.begin[unit + 1]; ++k)
        items.push_back(Item{u.index[k], u.count[k]});
    return items;
}

// For each colour of the picture, the squared distance to the nearest colour
// of the bank.
// Empty for an empty bank.
std::vector<int64_t> bank_distances(const Units& u, const Space& space, const Palette& bank) {
    if (bank.empty()) return {};
    std::vector<int64_t> d(u.bins());
    const std::vector<Oklab> points = points_of(bank, space);
    for (size_t i = 0; i < u.bins(); ++i) d[i] = nearest(space.bins[i], points).second;
    return d;
}

int64_t unit_error(const Units& u, uint32_t unit, const std::vector<int64_t>& distances) {
    if (distances.empty()) return kNoBank;
    int64_t sum = 0;
    for (uint32_t k = u.begin[unit]; k < u.begin[unit + 1]; ++k)
        sum += static_cast<int64_t>(u.count[k]) * distances[u.index[k]];
    return sum;
}

// Each unit to the bank that draws it with least error (the lowest on a tie);
// returns the total error.
int64_t assign_units(const Units& u, const Space& space, const std::vector<Palette>& banks,
                     std::vector<uint8_t>& bank_of, std::vector<int64_t>& error_of) {
    std::vector<std::vector<int64_t>> distances;
    for (const Palette& bank : banks) distances.push_back(bank_distances(u, space, bank));
    const auto units = static_cast<uint32_t>(u.begin.size() - 1);
    bank_of.assign(units, 0);
    error_of.assign(units, 0);
    int64_t total = 0;
    for (uint32_t unit = 0; unit < units; ++unit) {
        if (u.entries(unit) == 0) continue;
        int64_t best = INT64_MAX;
        for (size_t b = 0; b < banks.size(); ++b) {
            const int64_t e = unit_error(u, unit, distances[b]);
            if (e < best) {
                best = e;
                bank_of[unit] = static_cast<uint8_t>(b);
            }
        }
        error_of[unit] = best;
        total += best;
    }
    return total;
}

// Seeds: one palette for the whole picture, then k-means++ over units: a unit
// is picked with chance in proportion to the error with which the banks so far
// draw it, and its own colours become the next bank.
std::vector<Palette> seed_banks(const Units& u, const Space& space) {
    const auto units = static_cast<uint32_t>(u.begin.size() - 1);
    std::vector<Item> all;
    {
        std::vector<uint64_t> weight(u.bins(), 0);
        for (size_t k = 0; k < u.index.size(); ++k) weight[u.index[k]] += u.count[k];
        for (uint32_t i = 0; i < u.bins(); ++i) all.push_back(Item{i, weight[i]});
    }
    std::vector<Palette> banks{palette_for(all, u, space, {})};
    std::vector<int64_t> best(units);
    {
        const std::vector<int64_t> d = bank_distances(u, space, banks[0]);
        for (uint32_t unit = 0; unit < units; ++unit) best[unit] = unit_error(u, unit, d);
    }
    Rng rng;
    while (banks.size() < kMaxBanks) {
        const auto total =
            static_cast<uint64_t>(std::accumulate(best.begin(), best.end(), int64_t{0}));
        if (total == 0) break;
        uint64_t r = rng.next() % total;
        uint32_t pick = 0;
        while (r >= static_cast<uint64_t>(best[pick])) r -= static_cast<uint64_t>(best[pick++]);
        banks.push_back(palette_for(unit_items(u, pick), u, space, {}));
        const std::vector<int64_t> d = bank_distances(u, space, banks.back());
        for (uint32_t unit = 0; unit < units; ++unit)
            best[unit] = std::min(best[unit], unit_error(u, unit, d));
    }
    return banks;
}

// The items of the units that take bank b, in bin order.
std::vector<Item> bank_items(const Units& u, const std::vector<uint8_t>& bank_of, size_t b,
                             std::vector<uint64_t>& weight) {
    std::vector<uint32_t> touched;
    for (uint32_t unit = 0; unit < bank_of.size(); ++unit) {
        if (bank_of[unit] != b || u.entries(unit) == 0) continue;
        for (uint32_t k = u.begin[unit]; k < u.begin[unit + 1]; ++k) {
            if (weight[u.index[k]] == 0) touched.push_back(u.index[k]);
            weight[u.index[k]] += u.count[k];
        }
    }
    std::sort(touched.begin(), touched.end());
    std::vector<Item> items;
    for (uint32_t i : touched) {
        items.push_back(Item{i, weight[i]});
        weight[i] = 0;
    }
    return items;
}

// Banks found by alternating unit assignment and palette rebuilding; the
// round of least total error wins.
void find_banks(const Units& u, std::vector<Palette>& banks, std::vector<uint8_t>& bank_of) {
    const auto units = static_cast<uint32_t>(u.begin.size() - 1);
    const Space space = oklab_space(u);
    banks = seed_banks(u, space);
    std::vector<Palette> best_banks;
    std::vector<uint8_t> best_of;
    int64_t best_total = INT64_MAX;
    std::vector<int64_t> error_of;
    std::vector<uint64_t> weight(u.bins(), 0);
    for (int round = 0; round < kRounds; ++round) {
        const int64_t total = assign_units(u, space, banks, bank_of, error_of);
        if (total < best_total) {
            best_total = total;
            best_banks = banks;
            best_of = bank_of;
        }
        if (total == 0 || round + 1 == kRounds) break;
        std::vector<bool> used(banks.size(), false);
        for (size_t b = 0; b < banks.size(); ++b) {
            const std::vector<Item> items = bank_items(u, bank_of, b, weight);
            if (items.empty()) continue;
            used[b] = true;
            banks[b] = palette_for(items, u, space, banks[b]);
        }
        // A bank that drew nothing starts again from the worst-drawn units.
        std::vector<uint32_t> worst(units);
        std::iota(worst.begin(), worst.end(), 0u);
        std::stable_sort(worst.begin(), worst.end(),
                         [&](uint32_t x, uint32_t y) { return error_of[x] > error_of[y]; });
        size_t next = 0;
        for (size_t b = 0; b < banks.size(); ++b)
            if (!used[b] && next < worst.size() && error_of[worst[next]] > 0)
                banks[b] = palette_for(unit_items(u, worst[next++]), u, space, {});
    }
    banks = std::move(best_banks);
    bank_of = std::move(best_of);
}

// Once the units are grouped, each bank's colours are refined against the
// pixels of its own units (k-means from the colours it has, until they
// settle), then each unit takes the bank that now draws it best; again until
// the total error stops falling. Neither step can raise the error, so the
// result is never worse than the grouping it starts from.
void polish_banks(const Units& u, std::vector<Palette>& banks, std::vector<uint8_t>& bank_of) {
    const Space space = rgb_space(u);
    std::vector<int64_t> error_of;
    int64_t total = assign_units(u, space, banks, bank_of, error_of);
    std::vector<uint64_t> weight(u.bins(), 0);
    std::vector<uint8_t> next_of;
    for (int round = 0; round < kPolishRounds && total > 0; ++round) {
        std::vector<Palette> next = banks;
        for (size_t b = 0; b < banks.size(); ++b) {
            const std::vector<Item> items = bank_items(u, bank_of, b, weight);
            if (items.empty()) continue;
            next[b] = refine(items, u, space, banks[b], kPolishSteps).first;
            std::sort(next[b].begin(), next[b].end());
            next[b].erase(std::unique(next[b].begin(), next[b].end()), next[b].end());
        }
        const int64_t next_total = assign_units(u, space, next, next_of, error_of);
        if (next_total >= total) break;
        banks = std::move(next);
        bank_of.swap(next_of);
        total = next_total;
    }
}

// When the picture has no more distinct units (by their colours and counts)
// than there are banks, each gets a bank of its own: no grouping can draw a
// unit better than colours chosen for it alone. False when there are more.
bool own_banks(const Units& u, std::vector<Palette>& banks, std::vector<uint8_t>& bank_of) {
    const auto units = static_cast<uint32_t>(u.begin.size() - 1);
    const auto same = [&](uint32_t x, uint32_t y) {
        return u.entries(x) == u.entries(y) &&
               std::equal(u.index.begin() + u.begin[x], u.index.begin() + u.begin[x + 1],
                          u.index.begin() + u.begin[y]) &&
               std::equal(u.count.begin() + u.begin[x], u.count.begin() + u.begin[x + 1],
                          u.count.begin() + u.begin[y]);
    };
    std::vector<uint32_t> first;  // a unit of each bank
    bank_of.assign(units, 0);
    for (uint32_t unit = 0; unit < units; ++unit) {
        if (u.entries(unit) == 0) continue;
        size_t b = 0;
        while (b < first.size() && !same(first[b], unit)) ++b;
        if (b == first.size()) {
            if (first.size() == kMaxBanks) return false;
            first.push_back(unit);
        }
        bank_of[unit] = static_cast<uint8_t>(b);
    }
    banks.clear();
    const Space space = rgb_space(u);
    for (uint32_t unit : first) {
        const std::vector<Item> items = unit_items(u, unit);
        banks.push_back(
            swap_refine(items, u, space, palette_for(items, u, space, {}, kPolishSteps)));
    }
    return true;
}

// Ordered dithering by an 8 x 8 Bayer matrix.
constexpr uint8_t kBayer[8][8] = {{0, 32, 8, 40, 2, 34, 10, 42},  {48, 16, 56, 24, 50, 18, 58, 26},
                                  {12, 44, 4, 36, 14, 46, 6, 38}, {60, 28, 52, 20, 62, 30, 54, 22},
                                  {3, 35, 11, 43, 1, 33, 9, 41},  {51, 19, 59, 27, 49, 17, 57, 25},
                                  {15, 47, 7, 39, 13, 45, 5, 37}, {63, 31, 55, 23, 61, 29, 53, 21}};

// The entry that draws p at a pixel whose threshold is `level` (0 to 63): the
// nearest entry, or the partner of the mix of it and one other entry that
// comes closest to p, in proportion to where p falls between the two. Mixes
// of far-apart colours are penalised, since their pattern shows.
uint32_t dithered(const Oklab& p, const std::vector<Oklab>& labs, uint32_t near, uint32_t level) {
    // In 2^-12 units, so that products of two distances stay in range.
    const auto scaled = [](const Oklab& l) { return Oklab{l.L >> 4, l.a >> 4, l.b >> 4}; };
    const Oklab q = scaled(p), c1 = scaled(labs[near]);
    const int64_t e[3] = {q.L - c1.L, q.a - c1.a, q.b - c1.b};
    const int64_t base = e[0] * e[0] + e[1] * e[1] + e[2] * e[2];
    if (base == 0) return near;
    int64_t best_score = base, best_dot = 0, best_span = 1;
    uint32_t partner = near;
    for (uint32_t k = 0; k < labs.size(); ++k) {
        const Oklab c2 = scaled(labs[k]);
        const int64_t d[3] = {c2.L - c1.L, c2.a - c1.a, c2.b - c1.b};
        const int64_t span = d[0] * d[0] + d[1] * d[1] + d[2] * d[2];
        const int64_t dot = e[0] * d[0] + e[1] * d[1] + e[2] * d[2];
        if (k == near || span == 0 || dot <= 0 || dot >= span) continue;
        const int64_t score = base - dot * dot / span + span / 8;
        if (score < best_score) {
            best_score = score;
            best_dot = dot;
            best_span = span;
            partner = k;
        }
    }
    // The partner where the threshold lies below its share dot / span.
    return (2 * int64_t{level} + 1) * best_span < 128 * best_dot ? partner : near;
}

// A pixel whose rounded target colour is in its unit's bank is drawn with it,
// the least error in RGB; any other takes the bank's nearest colour in RGB,
// or, dithered, a mix of two chosen in Oklab, where mixes look as they
// measure.
void draw_pixels(const ReduceRequest& rq, const Units& u, const std::vector<Palette>& banks,
                 ReducedPicture& out) {
    out.numbers.assign(size_t{rq.width} * rq.height, 0);
    std::vector<std::vector<Oklab>> labs, rgbs;
    for (const Palette& bank : banks) {
        labs.push_back(points_of(bank, oklab_space(u)));
        rgbs.push_back(points_of(bank, rgb_space(u)));
    }
    uint64_t square_sum = 0, opaque = 0;
    int64_t worst = 0;
    Rgba last{0, 0, 0, 0};
    Oklab last_lab = oklab_from_rgb(0, 0, 0);
    const auto own_entry = [](const Palette& bank, const Rgba& p) {
        return static_cast<uint32_t>(std::find(bank.begin(), bank.end(), rounded_target(p)) -
                                     bank.begin());
    };
    for (uint32_t unit = 0; unit < u.across * u.down; ++unit) {
        if (u.entries(unit) == 0) continue;
        const Palette& bank = banks[out.bank_of_unit[unit]];
        const std::vector<Oklab>& bank_labs = labs[out.bank_of_unit[unit]];
        const uint32_t x0 = unit % u.across * rq.unit_width, y0 = unit / u.across * rq.unit_height;
        const uint32_t x1 = std::min(x0 + rq.unit_width, rq.width);
        const uint32_t y1 = std::min(y0 + rq.unit_height, rq.height);
        for (uint32_t y = y0; y < y1; ++y)
            for (uint32_t x = x0; x < x1; ++x) {
                const size_t i = size_t{y} * rq.width + x;
                const Rgba& p = rq.pixels[i];
                if (p.a == 0) continue;
                if (p.r != last.r || p.g != last.g || p.b != last.b) {
                    last = p;
                    last_lab = oklab_from_rgb(p.r, p.g, p.b);
                }
                const Oklab& lab = last_lab;
                uint32_t k = own_entry(bank, p);
                if (k == bank.size() && rq.dither) {
                    k = dithered(lab, bank_labs, nearest(lab, bank_labs).first,
                                 kBayer[(y - y0) % 8][(x - x0) % 8]);
                } else if (k == bank.size()) {
                    const Oklab point{kRgbStep * p.r, kRgbStep * p.g, kRgbStep * p.b};
                    k = nearest(point, rgbs[out.bank_of_unit[unit]]).first;
                }
                out.numbers[i] = static_cast<uint8_t>(k + 1);
                const Rgb8 w = widen_target_colour(bank[k]);
                const int64_t dr = p.r - w.r, dg = p.g - w.g, db = p.b - w.b;
                square_sum += static_cast<uint64_t>(dr * dr + dg * dg + db * db);
                ++opaque;
                worst = std::max(worst, oklab_distance2(lab, bank_labs[k]));
            }
    }
    // Figures for people to read; nothing above depends on them.
    out.psnr = square_sum == 0
                   ? 99.0
                   : 10.0 * std::log10(255.0 * 255.0 * 3.0 * static_cast<double>(opaque) /
                                       static_cast<double>(square_sum));
    out.max_error = std::sqrt(static_cast<double>(worst)) / kOklabOne;
}

bool check_request(const ReduceRequest& rq) {
    if (!rq.pixels || rq.width == 0 || rq.height == 0 || rq.width > kMaxSide ||
        rq.height > kMaxSide || rq.unit_width == 0 || rq.unit_height == 0 ||
        rq.unit_width > kMaxSide || rq.unit_height > kMaxSide) {
        set_failure(kReasonReduceSize, rq.width, rq.height, rq.unit_width, rq.unit_height);
        return false;
    }
    if (rq.fixed_banks.size() > kMaxBanks ||
        std::any_of(rq.fixed_banks.begin(), rq.fixed_banks.end(),
                    [](const std::vector<uint16_t>& b) { return b.size() > kBankColours; })) {
        set_failure(kReasonReducePalette);
        return false;
    }
    return true;
}

bool reduce(const ReduceRequest& rq, ReducedPicture& out) {
    if (!check_request(rq)) return false;
    const Units u = collect_units(rq);
    out = ReducedPicture{};
    out.units_across = u.across;
    out.units_down = u.down;
    if (rq.fixed_banks.empty()) {
        if (!u.labs.empty() && !own_banks(u, out.banks, out.bank_of_unit)) {
            find_banks(u, out.banks, out.bank_of_unit);
            polish_banks(u, out.banks, out.bank_of_unit);
        }
        // Only the banks that some unit draws with, numbered in order.
        std::vector<int> renumber(out.banks.size(), -1);
        std::vector<Palette> kept;
        for (uint32_t unit = 0; unit < out.bank_of_unit.size(); ++unit) {
            if (u.entries(unit) == 0) continue;
            int& to = renumber[out.bank_of_unit[unit]];
            if (to < 0) {
                to = static_cast<int>(kept.size());
                kept.push_back(out.banks[out.bank_of_unit[unit]]);
            }
            out.bank_of_unit[unit] = static_cast<uint8_t>(to);
        }
        out.banks = std::move(kept);
        out.bank_of_unit.resize(size_t{u.across} * u.down, 0);
    } else {
        out.banks = rq.fixed_banks;
        const bool any = std::any_of(out.banks.begin(), out.banks.end(),
                                     [](const Palette& b) { return !b.empty(); });
        if (!u.labs.empty() && !any) {
            set_failure(kReasonReduceNoColours);
            return false;
        }
        std::vector<int64_t> error_of;
        if (any) assign_units(u, rgb_space(u), out.banks, out.bank_of_unit, error_of);
        out.bank_of_unit.resize(size_t{u.across} * u.down, 0);
    }
    draw_pixels(rq, u, out.banks, out);
    return true;
}

}  // namespace

bool reduce_colours(const ReduceRequest& request, ReducedPicture& out) {
    return guard_memory([&] { return reduce(request, out); });
}

}  // namespace tw
