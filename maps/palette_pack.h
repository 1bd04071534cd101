#pragma once
// Sub-palettes arranged: sets of at most 15 colours (one set for each cell or
// sprite) packed into the fewest banks of 15 colours.
//
// The problem is NP-hard. pack_palettes runs first-fit decreasing and
// overload-and-remove for an upper bound, then an exact branch-and-bound that
// proves the minimum when it finishes within `effort` search steps. The
// budget is counted in steps, never in time, so one input gives one result on
// every machine.

#include <cstdint>
#include <vector>

namespace tw {

using ColourSet = std::vector<uint16_t>;  // distinct target colours, ascending

inline constexpr uint32_t kBankColours = 15;  // entry 0 of a bank is the transparent key
inline constexpr uint32_t kMaxBanks = 16;
inline constexpr uint64_t kDefaultPackEffort = 1000000;

struct PaletteArrangement {
    bool fits = false;    // every set was placed into at most max_banks banks
    bool proven = false;  // banks.size() is the fewest possible
    uint32_t lower_bound = 0;
    uint64_t steps = 0;  // search steps taken
    // The banks, each a set of at most kBankColours colours, ascending. They are
    // numbered in the order in which their first set appears in `sets`, and
    // each set takes the lowest bank that holds all its colours.
    std::vector<ColourSet> banks;
    std::vector<uint32_t> bank_of_set;  // one for each input set
    // When !fits: the best count found and the sets (indices into `sets`) that
    // were left over from the best packing into max_banks banks.
    uint32_t best_count = 0;
    std::vector<uint32_t> left_over;
};

PaletteArrangement pack_palettes(const std::vector<ColourSet>& sets, uint64_t effort,
                                 uint32_t max_banks = kMaxBanks);

}  // namespace tw
