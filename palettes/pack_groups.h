#pragma once
// Packings made by grouping: items that belong together are joined into one
// set of at most 15 colours, and the groups are then packed as sets. Two ways
// to group: the items linked by shared colours (when all of them fit one
// bank), and a greedy merging of the two groups that share the most colours,
// a colour weighing less the more items use it (an outline or shadow colour
// used everywhere says little about which items belong together).

#include <cstdint>
#include <vector>

#include "palettes/pack_problem.h"

namespace tw::pack {

// For each item, its group: the first item of the group.
std::vector<uint32_t> colour_components(const PackProblem& p);
// Merges groups while two that fit one bank together share a colour, taking
// `effort` steps at most (a step is a pair of groups weighed).
std::vector<uint32_t> merged_groups(const PackProblem& p, uint64_t effort, uint64_t& steps);

// The groups (the group of each item) packed by first fit and the exact search
// within `effort` steps; returns the bank of each item. Adds the steps taken.
std::vector<uint32_t> pack_groups(const PackProblem& p, const std::vector<uint32_t>& group_of,
                                  uint64_t effort, uint64_t& steps);

}  // namespace tw::pack
