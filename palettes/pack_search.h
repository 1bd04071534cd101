#pragma once
// The exact search for the fewest banks: branch-and-bound over the items of a
// packing problem, bounded by a count of search steps.

#include <cstdint>
#include <vector>

#include "palettes/pack_problem.h"

namespace tw::pack {

// Beyond this many banks the search (whose banks are the bits of a word) and
// the costlier bounds and heuristics are not run: such a picture is far out of
// reach anyway, and its sets could number thousands.
inline constexpr uint32_t kMaxSearchBanks = 64;

struct SearchResult {
    std::vector<uint32_t> bank_of_item;  // banks numbered 0, 1, ... in order of use
    uint32_t bank_count = 0;
    uint32_t lower_bound = 0;
    bool clique_bound = false;  // a clique, not the colour count, gives lower_bound
    bool proven = false;        // bank_count is the fewest possible
    uint64_t steps = 0;
};

// The larger of the colour bound (distinct colours / 15, rounded up) and the
// size of a clique of items no two of which fit one bank; at least 1 when
// there are items. `clique` receives the clique's items.
uint32_t packing_lower_bound(const PackProblem& p, std::vector<uint32_t>& clique);

// Looks for a packing of the items into fewer banks than `start` (the bank of
// each item, numbered densely) uses, taking at most `effort` steps. The result
// is the best packing known at the end. When `start` uses more than
// kMaxSearchBanks banks it is kept, with the colour bound alone.
//
// The branch-and-bound runs first for up to kFirstSearchSteps. When that does
// not settle it and `improve` is set, half the steps left go to the quicker
// searches of pack_heuristics and pack_ejection, whose best packing lowers the
// bound the branch-and-bound then goes on with.
SearchResult search_packing(const PackProblem& p, const std::vector<uint32_t>& start,
                            uint64_t effort, bool improve = true);

inline constexpr uint64_t kFirstSearchSteps = 10000;

}  // namespace tw::pack
