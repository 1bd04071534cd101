#pragma once
// A local search that empties banks: the sets of one bank are taken out and
// put into the others, each set pushing out of the bank it enters the sets
// that keep it from fitting, until no set is left out (one bank fewer) or the
// steps run out. Pushed-out sets may not go back to the bank they left for a
// while (a tabu), and a set pushed out often weighs more, so the search does
// not go round in circles.

#include <cstdint>
#include <vector>

#include "palettes/pack_problem.h"

namespace tw::pack {

// Starting from `start` (the bank of each item of `p`, numbered densely),
// empties one bank after another until `target` banks hold the items or
// `effort` steps are taken (a step is one bank weighed for one set). Returns
// the packing of the fewest banks found, `start` when none has fewer; adds
// the steps taken to `steps`.
std::vector<uint32_t> empty_banks(const PackProblem& p, const std::vector<uint32_t>& start,
                                  uint32_t target, uint64_t effort, uint64_t& steps);

}  // namespace tw::pack
