#include "palettes/pack_problem.h"

#include <algorithm>

namespace tw::pack {

PackProblem make_pack_problem(const std::vector<ColourSet>& sets) {
    PackProblem p;
    const auto n = static_cast<uint32_t>(sets.size());
    std::vector<ColourSet> clean(sets);
    for (ColourSet& s : clean) {
        std::sort(s.begin(), s.end());
        s.erase(std::unique(s.begin(), s.end()), s.end());
    }
    p.sizes.resize(n);
    p.item_of_set.assign(n, kNoBank);
    for (uint32_t i = 0; i < n; ++i) {
        p.sizes[i] = static_cast<uint32_t>(clean[i].size());
        if (p.sizes[i] > kBankColours) continue;
        p.colours.insert(p.colours.end(), clean[i].begin(), clean[i].end());
    }
    std::sort(p.colours.begin(), p.colours.end());
    p.colours.erase(std::unique(p.colours.begin(), p.colours.end()), p.colours.end());
    p.words = static_cast<uint32_t>((p.colours.size() + 63) / 64);
    p.masks.assign(size_t{n} * p.words, 0);
    p.bits.assign(size_t{n} * kBankColours, 0);
    for (uint32_t i = 0; i < n; ++i) {
        if (p.sizes[i] > kBankColours) continue;
        uint64_t* m = p.masks.data() + size_t{i} * p.words;
        uint16_t* bits = p.bits.data() + size_t{i} * kBankColours;
        for (uint16_t c : clean[i]) {
            const auto bit = static_cast<uint16_t>(
                std::lower_bound(p.colours.begin(), p.colours.end(), c) - p.colours.begin());
            m[bit / 64] |= uint64_t{1} << (bit % 64);
            *bits++ = bit;
        }
    }

    // Largest first, ties in input order: the order the items keep.
    std::vector<uint32_t> order;
    for (uint32_t i = 0; i < n; ++i)
        if (p.sizes[i] <= kBankColours) order.push_back(i);
    std::stable_sort(order.begin(), order.end(),
                     [&](uint32_t a, uint32_t b) { return p.sizes[a] > p.sizes[b]; });

    // Repeats found by sorting on the masks; the first copy in input order stands for all.
    std::vector<uint32_t> by_mask(order);
    const auto mask_less = [&](uint32_t a, uint32_t b) {
        return std::lexicographical_compare(p.bits_of(a), p.bits_of(a) + p.sizes[a], p.bits_of(b),
                                            p.bits_of(b) + p.sizes[b]);
    };
    std::sort(by_mask.begin(), by_mask.end(), [&](uint32_t a, uint32_t b) {
        if (mask_less(a, b) || mask_less(b, a)) return mask_less(a, b);
        return a < b;
    });
    std::vector<uint32_t> first_copy(n, kNoBank);
    for (size_t k = 0; k < by_mask.size(); ++k) {
        const uint32_t i = by_mask[k];
        const bool repeat = k > 0 && !mask_less(by_mask[k - 1], i);
        first_copy[i] = repeat ? first_copy[by_mask[k - 1]] : i;
    }

    // A set every colour of which lies in a kept set is held by it. Going
    // largest first, only kept sets can be strict supersets of later ones, and
    // any superset lies in some kept set. Only the kept sets holding the set's
    // rarest colour need a look (the first kept set for a set of no colours).
    std::vector<uint32_t> item_index(n, kNoBank);
    std::vector<std::vector<uint32_t>> holders(p.colours.size());  // items with each colour
    for (uint32_t i : order) {
        if (first_copy[i] != i) continue;
        const std::vector<uint32_t>* look = nullptr;
        for (uint32_t k = 0; k < p.sizes[i]; ++k) {
            const std::vector<uint32_t>& h = holders[p.bits_of(i)[k]];
            if (!look || h.size() < look->size()) look = &h;
        }
        if (!look && !p.items.empty()) item_index[i] = 0;
        for (size_t k = 0; look && k < look->size(); ++k) {
            if (p.count_new(i, p.mask(p.items[(*look)[k]])) == 0) {
                item_index[i] = (*look)[k];
                break;
            }
        }
        if (item_index[i] == kNoBank) {
            item_index[i] = static_cast<uint32_t>(p.items.size());
            for (uint32_t k = 0; k < p.sizes[i]; ++k)
                holders[p.bits_of(i)[k]].push_back(item_index[i]);
            p.items.push_back(i);
        }
    }
    for (uint32_t i : order) p.item_of_set[i] = item_index[first_copy[i]];
    return p;
}

uint32_t compact_banks(std::vector<uint32_t>& bank_of) {
    std::vector<uint32_t> renumber;
    uint32_t count = 0;
    for (uint32_t& b : bank_of) {
        if (b == kNoBank) continue;
        if (b >= renumber.size()) renumber.resize(size_t{b} + 1, kNoBank);
        if (renumber[b] == kNoBank) renumber[b] = count++;
        b = renumber[b];
    }
    return count;
}

}  // namespace tw::pack
