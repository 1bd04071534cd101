#pragma once
// The quick packings that give the exact search its first upper bound.

#include <cstdint>
#include <vector>

#include "palettes/pack_problem.h"

namespace tw::pack {

// The input sets `order`, in that order, each into the first bank that can
// take it (a new one if none can). Returns the bank of each input set, kNoBank
// for sets not in `order`.
std::vector<uint32_t> first_fit(const PackProblem& p, const std::vector<uint32_t>& order);

// Overload-and-remove over the items of `p`: returns the bank of each item.
std::vector<uint32_t> overload_and_remove_items(const PackProblem& p);

// First fit over the items of `p` in shuffled orders (every other one still
// largest first, ties shuffled), from a fixed seed, while `effort` steps last
// (a step is one item placed). Returns the bank of each item in the packing of
// fewest banks; adds the steps taken to `steps`.
std::vector<uint32_t> random_first_fit(const PackProblem& p, uint64_t effort, uint64_t& steps);

}  // namespace tw::pack
