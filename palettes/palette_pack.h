#pragma once
// Sub-palettes arranged: sets of at most 15 colours (one set for each cell or
// sprite) packed into the fewest banks of 15 colours.
//
// The problem is NP-hard. pack_palettes runs first-fit decreasing and
// overload-and-remove for an upper bound, then an exact branch-and-bound that
// proves the minimum when it finishes within `effort` search steps. The
// budget is counted in steps, never in time, so one input gives one result on
// every machine. A step is one placement tried: one set put into one bank
// (an open one or a new one) at one node of the search.

#include <cstdint>
#include <vector>

namespace tw {

using ColourSet = std::vector<uint16_t>;  // distinct target colours, ascending

inline constexpr uint32_t kBankColours = 15;  // entry 0 of a bank is the transparent key
inline constexpr uint32_t kMaxBanks = 16;
// Well under a second of search on a picture of a few hundred distinct sets
// whose minimum is out of reach; most pictures need no steps or a few hundred.
inline constexpr uint64_t kDefaultPackEffort = 1000000;
inline constexpr uint32_t kNoBank = UINT32_MAX;

// What proves a lower bound on the banks.
enum class PackBound : uint8_t {
    COLOURS,  // the distinct colours, 15 to a bank
    CLIQUE,   // sets no two of which fit one bank
    SEARCH,   // the exact search went through every packing of fewer banks
};

struct PaletteArrangement {
    bool fits = false;    // every set was placed into at most max_banks banks
    bool proven = false;  // best_count is the fewest possible
    uint32_t lower_bound = 0;
    // What proves lower_bound; SEARCH when the search proved best_count the
    // fewest above it.
    PackBound bound = PackBound::COLOURS;
    uint64_t steps = 0;  // search steps taken
    // The banks, each a set of at most kBankColours colours, ascending: the
    // colours of the sets that take it. They are numbered in the order in which
    // their first set appears in `sets`, and each set takes the lowest bank
    // that holds all its colours (a set without colours takes bank 0). When the
    // sets have no colours at all there is one empty bank.
    std::vector<ColourSet> banks;
    std::vector<uint32_t> bank_of_set;  // one for each input set; kNoBank if left over
    // The fewest banks found for the sets that can be placed at all.
    uint32_t best_count = 0;
    // When !fits: the sets (indices into `sets`, ascending) left over from the
    // best packing into max_banks banks, which `banks` then holds. A set of
    // more than kBankColours colours is always left over.
    std::vector<uint32_t> left_over;
};

PaletteArrangement pack_palettes(const std::vector<ColourSet>& sets, uint64_t effort,
                                 uint32_t max_banks = kMaxBanks);

// The two heuristics pack_palettes starts from, with no limit on the banks
// (exposed so tests and benchmarks can compare). Banks are numbered from 0;
// a set of more than kBankColours colours gets kNoBank.
struct Packing {
    uint32_t bank_count = 0;
    std::vector<uint32_t> bank_of_set;
};
// Sets by size, largest first (ties in input order), each into the first bank
// that can take it.
Packing first_fit_decreasing(const std::vector<ColourSet>& sets);
// Overload-and-remove (Grange, Kacem, Martin, "Algorithms for the Pagination
// Problem, a Bin Packing with Overlapping Items", arXiv 1605.00558) on the
// distinct sets that are no subset of another; a subset takes its superset's
// bank.
Packing overload_and_remove(const std::vector<ColourSet>& sets);

}  // namespace tw
