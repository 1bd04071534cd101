#include "palettes/pack_groups.h"

#include <algorithm>
#include <bit>
#include <numeric>

#include "palettes/pack_heuristics.h"
#include "palettes/pack_search.h"

namespace tw::pack {

namespace {

// The colour bits of each group, indexed by the group's first item.
std::vector<std::vector<uint64_t>> group_masks(const PackProblem& p,
                                               const std::vector<uint32_t>& group_of) {
    std::vector<std::vector<uint64_t>> masks(group_of.size());
    for (uint32_t i = 0; i < group_of.size(); ++i) {
        std::vector<uint64_t>& m = masks[group_of[i]];
        m.resize(p.words, 0);
        mask_or(m.data(), p.mask(p.items[i]), p.words);
    }
    return masks;
}

}  // namespace

std::vector<uint32_t> colour_components(const PackProblem& p) {
    const auto n = static_cast<uint32_t>(p.items.size());
    // Union-find over the items, joined through the first item of each colour.
    std::vector<uint32_t> parent(n), first(p.colours.size(), kNoBank);
    std::iota(parent.begin(), parent.end(), 0u);
    const auto root = [&parent](uint32_t i) {
        while (parent[i] != i) i = parent[i] = parent[parent[i]];
        return i;
    };
    for (uint32_t i = 0; i < n; ++i) {
        const uint32_t s = p.items[i];
        for (uint32_t k = 0; k < p.sizes[s]; ++k) {
            uint32_t& f = first[p.bits_of(s)[k]];
            if (f == kNoBank)
                f = i;
            else if (root(i) != root(f))
                parent[std::max(root(i), root(f))] = std::min(root(i), root(f));
        }
    }
    std::vector<uint32_t> group_of(n);
    for (uint32_t i = 0; i < n; ++i) group_of[i] = root(i);
    // A group too large for one bank stays apart.
    const std::vector<std::vector<uint64_t>> masks = group_masks(p, group_of);
    for (uint32_t i = 0; i < n; ++i)
        if (mask_count(masks[group_of[i]].data(), p.words) > kBankColours) group_of[i] = i;
    return group_of;
}

std::vector<uint32_t> merged_groups(const PackProblem& p, uint64_t effort, uint64_t& steps) {
    const auto n = static_cast<uint32_t>(p.items.size());
    const uint32_t w = p.words;
    // A colour weighs the more the fewer items use it.
    std::vector<uint32_t> users(p.colours.size(), 0);
    for (uint32_t s : p.items)
        for (uint32_t k = 0; k < p.sizes[s]; ++k) ++users[p.bits_of(s)[k]];
    std::vector<uint64_t> masks(size_t{n} * w);
    for (uint32_t i = 0; i < n; ++i)
        std::copy_n(p.mask(p.items[i]), w, masks.begin() + static_cast<ptrdiff_t>(size_t{i} * w));
    std::vector<uint32_t> volume(n), group_of(n);
    for (uint32_t i = 0; i < n; ++i) volume[i] = p.sizes[p.items[i]], group_of[i] = i;
    std::vector<uint8_t> alive(n, 1);
    constexpr uint64_t kScale = 720720;  // 1..16 divide it
    // The worth of merging a and b: 0 when they share nothing or do not fit.
    const auto worth = [&](uint32_t a, uint32_t b) -> uint64_t {
        ++steps;
        const uint64_t* ma = masks.data() + size_t{a} * w;
        const uint64_t* mb = masks.data() + size_t{b} * w;
        uint64_t sum = 0;
        uint32_t shared = 0;
        for (uint32_t k = 0; k < w; ++k)
            for (uint64_t bits = ma[k] & mb[k]; bits; bits &= bits - 1) {
                sum += kScale / std::min(users[k * 64 + std::countr_zero(bits)], 16u);
                ++shared;
            }
        if (shared == 0 || volume[a] + volume[b] - shared > kBankColours) return 0;
        // Ties to the smaller union.
        return sum * 16 + (kBankColours - (volume[a] + volume[b] - shared));
    };
    // Each group's best partner and its worth.
    std::vector<uint32_t> partner(n, kNoBank);
    std::vector<uint64_t> best(n, 0);
    const uint64_t start = steps;
    const auto refresh = [&](uint32_t a) {
        partner[a] = kNoBank, best[a] = 0;
        for (uint32_t b = 0; b < n; ++b) {
            if (b == a || !alive[b]) continue;
            const uint64_t v = worth(a, b);
            if (v > best[a]) best[a] = v, partner[a] = b;
        }
    };
    for (uint32_t a = 0; a < n && steps - start < effort; ++a) refresh(a);
    while (steps - start < effort) {
        uint32_t a = kNoBank;
        for (uint32_t i = 0; i < n; ++i)
            if (alive[i] && partner[i] != kNoBank && (a == kNoBank || best[i] > best[a])) a = i;
        if (a == kNoBank) break;
        const uint32_t b = partner[a];
        const uint32_t keep = std::min(a, b), gone = std::max(a, b);
        mask_or(masks.data() + size_t{keep} * w, masks.data() + size_t{gone} * w, w);
        volume[keep] = mask_count(masks.data() + size_t{keep} * w, w);
        alive[gone] = 0;
        for (uint32_t& g : group_of)
            if (g == gone) g = keep;
        refresh(keep);
        for (uint32_t i = 0; i < n; ++i) {
            if (!alive[i] || i == keep) continue;
            if (partner[i] == a || partner[i] == b) {
                refresh(i);
            } else {
                const uint64_t v = worth(i, keep);
                if (v > best[i]) best[i] = v, partner[i] = keep;
            }
        }
    }
    return group_of;
}

std::vector<uint32_t> pack_groups(const PackProblem& p, const std::vector<uint32_t>& group_of,
                                  uint64_t effort, uint64_t& steps) {
    const auto n = static_cast<uint32_t>(p.items.size());
    const std::vector<std::vector<uint64_t>> masks = group_masks(p, group_of);
    std::vector<ColourSet> sets;
    std::vector<uint32_t> set_of(n, kNoBank);
    for (uint32_t i = 0; i < n; ++i) {
        if (group_of[i] != i) {
            set_of[i] = set_of[group_of[i]];
            continue;
        }
        set_of[i] = static_cast<uint32_t>(sets.size());
        ColourSet& s = sets.emplace_back();
        for (uint32_t k = 0; k < p.words; ++k)
            for (uint64_t bits = masks[i][k]; bits; bits &= bits - 1)
                s.push_back(static_cast<uint16_t>(k * 64 + std::countr_zero(bits)));
    }
    const PackProblem q = make_pack_problem(sets);
    const std::vector<uint32_t> bank_of_set = first_fit(q, q.items);
    std::vector<uint32_t> start(q.items.size());
    for (uint32_t j = 0; j < q.items.size(); ++j) start[j] = bank_of_set[q.items[j]];
    compact_banks(start);
    const SearchResult r = search_packing(q, start, effort, false);
    steps += r.steps;
    std::vector<uint32_t> out(n);
    for (uint32_t i = 0; i < n; ++i) out[i] = r.bank_of_item[q.item_of_set[set_of[i]]];
    compact_banks(out);
    return out;
}

}  // namespace tw::pack
