#pragma once
// The sets of a palette packing as bit masks over the distinct colours they
// use, reduced to the sets the search needs: identical sets are kept once, and
// a set whose colours all lie in another set is dropped, because it fits
// wherever that superset fits.

#include <bit>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "palettes/palette_pack.h"

namespace tw::pack {

struct PackProblem {
    uint32_t words = 0;             // 64-bit words in each mask
    std::vector<uint16_t> colours;  // the colour of each bit, ascending
    std::vector<uint64_t> masks;    // `words` words for each input set (zero if oversized)
    std::vector<uint16_t> bits;     // kBankColours for each input set: its bits, ascending
    std::vector<uint32_t> sizes;    // colours in each input set
    std::vector<uint32_t>
        items;  // the kept sets (input indices), largest first, ties in input order
    std::vector<uint32_t>
        item_of_set;  // for each input set: the item holding it, or kNoBank if oversized

    const uint64_t* mask(uint32_t set) const { return masks.data() + size_t{set} * words; }
    bool valid(uint32_t set) const { return item_of_set[set] != kNoBank; }
    const uint16_t* bits_of(uint32_t set) const { return bits.data() + size_t{set} * kBankColours; }
    // Colours of `set` that mask `m` lacks: at most 15 tests, however many
    // colours the picture has.
    uint32_t count_new(uint32_t set, const uint64_t* m) const {
        uint32_t n = 0;
        for (uint32_t k = 0; k < sizes[set]; ++k) {
            const uint16_t c = bits_of(set)[k];
            n += !(m[c / 64] >> (c % 64) & 1);
        }
        return n;
    }
};

// `sets` need not be sorted nor free of repeats.
PackProblem make_pack_problem(const std::vector<ColourSet>& sets);

// Bit mask helpers over `words` words.
inline uint32_t mask_count(const uint64_t* a, uint32_t words) {
    uint32_t n = 0;
    for (uint32_t w = 0; w < words; ++w) n += static_cast<uint32_t>(std::popcount(a[w]));
    return n;
}
// Colours of `a` that `b` lacks.
inline uint32_t mask_count_new(const uint64_t* a, const uint64_t* b, uint32_t words) {
    uint32_t n = 0;
    for (uint32_t w = 0; w < words; ++w) n += static_cast<uint32_t>(std::popcount(a[w] & ~b[w]));
    return n;
}
inline void mask_or(uint64_t* into, const uint64_t* a, uint32_t words) {
    for (uint32_t w = 0; w < words; ++w) into[w] |= a[w];
}

// Renumbers the banks of `bank_of` (kNoBank entries kept) to 0, 1, ... in the
// order they first appear, and returns how many there are.
uint32_t compact_banks(std::vector<uint32_t>& bank_of);

}  // namespace tw::pack
