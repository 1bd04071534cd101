// INTERIM: a plain first-fit packer that honours palette_pack.h, so that the
// picture pipeline builds and runs until the real packer (first-fit
// decreasing, overload-and-remove, branch-and-bound) replaces this file.
// It proves nothing beyond the colour-count bound.

#include <algorithm>

#include "maps/palette_pack.h"

namespace tw {
namespace {

bool holds(const ColourSet& bank, const ColourSet& set) {
    return std::includes(bank.begin(), bank.end(), set.begin(), set.end());
}

size_t union_size(const ColourSet& a, const ColourSet& b) {
    ColourSet u;
    std::set_union(a.begin(), a.end(), b.begin(), b.end(), std::back_inserter(u));
    return u.size();
}

// Each set in the lowest bank holding it, banks renumbered by first use, unused
// banks dropped; repeated until nothing moves (renumbering can change which
// bank is lowest).
void settle(const std::vector<ColourSet>& sets, PaletteArrangement& a) {
    for (int round = 0; round < 64; ++round) {
        for (size_t s = 0; s < sets.size(); ++s)
            for (uint32_t b = 0; b < a.banks.size(); ++b)
                if (holds(a.banks[b], sets[s])) {
                    a.bank_of_set[s] = b;
                    break;
                }
        std::vector<uint32_t> renumber(a.banks.size(), UINT32_MAX);
        std::vector<ColourSet> banks;
        for (uint32_t& b : a.bank_of_set) {
            if (renumber[b] == UINT32_MAX) {
                renumber[b] = static_cast<uint32_t>(banks.size());
                banks.push_back(a.banks[b]);
            }
            b = renumber[b];
        }
        bool moved = banks.size() != a.banks.size();
        for (uint32_t b = 0; b < renumber.size() && !moved; ++b) moved = renumber[b] != b;
        a.banks = std::move(banks);
        if (!moved) return;
    }
}

}  // namespace

PaletteArrangement pack_palettes(const std::vector<ColourSet>& sets, uint64_t effort,
                                 uint32_t max_banks) {
    (void)effort;
    PaletteArrangement a;
    a.bank_of_set.assign(sets.size(), 0);
    ColourSet all;
    for (size_t s = 0; s < sets.size(); ++s) {
        all.insert(all.end(), sets[s].begin(), sets[s].end());
        uint32_t b = 0;
        while (b < a.banks.size() && union_size(a.banks[b], sets[s]) > kBankColours) ++b;
        if (b == a.banks.size()) a.banks.emplace_back();
        ColourSet merged;
        std::set_union(a.banks[b].begin(), a.banks[b].end(), sets[s].begin(), sets[s].end(),
                       std::back_inserter(merged));
        a.banks[b] = std::move(merged);
        a.bank_of_set[s] = b;
        ++a.steps;
    }
    std::sort(all.begin(), all.end());
    all.erase(std::unique(all.begin(), all.end()), all.end());
    a.lower_bound = static_cast<uint32_t>((all.size() + kBankColours - 1) / kBankColours);
    if (!sets.empty() && a.lower_bound == 0) a.lower_bound = 1;
    settle(sets, a);
    a.best_count = static_cast<uint32_t>(a.banks.size());
    a.proven = a.best_count == a.lower_bound;
    a.fits = a.best_count <= max_banks;
    if (!a.fits) {
        for (uint32_t s = 0; s < sets.size(); ++s)
            if (a.bank_of_set[s] >= max_banks) a.left_over.push_back(s);
    }
    return a;
}

}  // namespace tw
