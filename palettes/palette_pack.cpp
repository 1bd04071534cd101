#include "palettes/palette_pack.h"

#include <algorithm>
#include <bit>
#include <utility>

#include "palettes/pack_heuristics.h"
#include "palettes/pack_problem.h"
#include "palettes/pack_search.h"

namespace tw {

namespace {

using pack::PackProblem;

// The best of the quick packings, as the bank of each item.
std::vector<uint32_t> best_heuristic(const PackProblem& p) {
    // First-fit decreasing over every set, repeats included (the textbook
    // method, which pack_palettes promises never to lose to), and over the
    // items alone; then overload-and-remove. Ties go to the first.
    std::vector<uint32_t> all;
    for (uint32_t i = 0; i < p.sizes.size(); ++i)
        if (p.valid(i)) all.push_back(i);
    std::stable_sort(all.begin(), all.end(),
                     [&](uint32_t a, uint32_t b) { return p.sizes[a] > p.sizes[b]; });
    std::vector<std::vector<uint32_t>> tries;
    for (const std::vector<uint32_t>* order : {&std::as_const(all), &p.items}) {
        const std::vector<uint32_t> bank_of_set = pack::first_fit(p, *order);
        std::vector<uint32_t>& bank_of_item = tries.emplace_back();
        for (uint32_t s : p.items) bank_of_item.push_back(bank_of_set[s]);
    }
    size_t best = 0;
    uint32_t best_count = UINT32_MAX;
    for (size_t t = 0; t < 3; ++t) {
        // Overload-and-remove weighs each set against every bank: only worth
        // it when the picture is within reach.
        if (t == 2 && best_count > pack::kMaxSearchBanks) break;
        if (t == 2) tries.push_back(pack::overload_and_remove_items(p));
        const uint32_t count = pack::compact_banks(tries[t]);
        if (count < best_count) best = t, best_count = count;
    }
    return tries[best];
}

// Cuts a packing of `count` banks down to `limit`: the banks holding the most
// sets stay, and each set of the others, largest first, goes to the first
// staying bank that holds it or can take it. The rest are left over (kNoBank).
void keep_banks(const PackProblem& p, uint32_t count, uint32_t limit,
                std::vector<uint32_t>& packed) {
    std::vector<uint32_t> weight(count, 0);
    for (uint32_t b : packed)
        if (b != kNoBank) ++weight[b];
    std::vector<uint32_t> by_weight(count);
    for (uint32_t b = 0; b < count; ++b) by_weight[b] = b;
    std::stable_sort(by_weight.begin(), by_weight.end(),
                     [&](uint32_t a, uint32_t b) { return weight[a] > weight[b]; });
    std::vector<bool> kept(count, false);
    for (uint32_t k = 0; k < limit; ++k) kept[by_weight[k]] = true;

    std::vector<uint64_t> masks(size_t{count} * p.words, 0);
    std::vector<uint32_t> volume(count, 0);
    std::vector<uint32_t> loose;
    for (uint32_t i = 0; i < packed.size(); ++i) {
        if (packed[i] == kNoBank) continue;
        if (kept[packed[i]]) {
            pack::mask_or(masks.data() + (packed[i] * p.words), p.mask(i), p.words);
        } else {
            loose.push_back(i);
            packed[i] = kNoBank;
        }
    }
    for (uint32_t b = 0; b < count; ++b)
        if (kept[b]) volume[b] = pack::mask_count(masks.data() + (b * p.words), p.words);
    std::stable_sort(loose.begin(), loose.end(),
                     [&](uint32_t a, uint32_t b) { return p.sizes[a] > p.sizes[b]; });
    std::vector<uint32_t> staying(by_weight.begin(), by_weight.begin() + limit);
    std::sort(staying.begin(), staying.end());
    for (uint32_t i : loose) {
        uint32_t taker = kNoBank;
        for (uint32_t b : staying)
            if (taker == kNoBank && p.count_new(i, masks.data() + (b * p.words)) == 0) taker = b;
        for (uint32_t b : staying)
            if (taker == kNoBank &&
                volume[b] + p.count_new(i, masks.data() + (b * p.words)) <= kBankColours)
                taker = b;
        if (taker == kNoBank) continue;
        volume[taker] += p.count_new(i, masks.data() + (taker * p.words));
        pack::mask_or(masks.data() + (taker * p.words), p.mask(i), p.words);
        packed[i] = taker;
    }
}

// Numbers the banks of `packed` (the bank of each set, kNoBank if none) in the
// order their first set appears; each set takes the lowest numbered bank that
// holds it, and numbers its own bank when none does. Bank colours are those
// of the sets that take it.
void number_banks(const PackProblem& p, uint32_t count, const std::vector<uint32_t>& packed,
                  PaletteArrangement& out) {
    const uint32_t w = p.words;
    std::vector<uint64_t> masks(size_t{count} * w, 0);
    for (uint32_t i = 0; i < packed.size(); ++i)
        if (packed[i] != kNoBank) pack::mask_or(masks.data() + (packed[i] * w), p.mask(i), w);
    std::vector<uint32_t> numbered;  // packed banks in number order
    out.bank_of_set.assign(packed.size(), kNoBank);
    for (uint32_t i = 0; i < packed.size(); ++i) {
        if (packed[i] == kNoBank) continue;
        uint32_t k = 0;
        while (k < numbered.size() && p.count_new(i, masks.data() + (numbered[k] * w)) != 0) ++k;
        if (k == numbered.size()) numbered.push_back(packed[i]);
        out.bank_of_set[i] = k;
    }
    std::vector<uint64_t> used(numbered.size() * w, 0);
    for (uint32_t i = 0; i < packed.size(); ++i)
        if (out.bank_of_set[i] != kNoBank)
            pack::mask_or(used.data() + (out.bank_of_set[i] * w), p.mask(i), w);
    out.banks.assign(numbered.size(), {});
    for (size_t k = 0; k < numbered.size(); ++k)
        for (uint32_t word = 0; word < w; ++word)
            for (uint64_t bits = used[k * w + word]; bits; bits &= bits - 1)
                out.banks[k].push_back(p.colours[word * 64 + std::countr_zero(bits)]);
}

}  // namespace

PaletteArrangement pack_palettes(const std::vector<ColourSet>& sets, uint64_t effort,
                                 uint32_t max_banks) {
    const PackProblem p = pack::make_pack_problem(sets);
    const pack::SearchResult found = pack::search_packing(p, best_heuristic(p), effort);
    PaletteArrangement out;
    out.proven = found.proven;
    out.lower_bound = found.lower_bound;
    out.bound = found.proven && found.bank_count > found.lower_bound ? PackBound::SEARCH
                : found.clique_bound                                 ? PackBound::CLIQUE
                                                                     : PackBound::COLOURS;
    out.steps = found.steps;
    out.best_count = found.bank_count;
    std::vector<uint32_t> packed(sets.size(), kNoBank);
    for (uint32_t i = 0; i < sets.size(); ++i)
        if (p.valid(i)) packed[i] = found.bank_of_item[p.item_of_set[i]];
    if (found.bank_count > max_banks) keep_banks(p, found.bank_count, max_banks, packed);
    number_banks(p, found.bank_count, packed, out);
    for (uint32_t i = 0; i < sets.size(); ++i)
        if (out.bank_of_set[i] == kNoBank) out.left_over.push_back(i);
    out.fits = out.left_over.empty();
    return out;
}

}  // namespace tw
