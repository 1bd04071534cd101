#pragma once
// Palette packing problems whose answer is known by construction, for the
// packer's tests and benchmark: k hidden banks of 15 colours, each cut into
// cells of 5 to 9 colours (so every colour is used), plus cells of 2 to 6
// colours drawn from one hidden bank; 60 to 140 cells in all, shuffled. The k
// hidden banks hold them, and no fewer can when the banks share no colour.
// With `shared`, every hidden bank holds one colour common to all (14 of its
// own and the shared one, as an outline colour would be).

#include <cstdint>
#include <vector>

#include "palettes/palette_pack.h"

namespace tw::test {

std::vector<ColourSet> hidden_bank_cells(uint32_t k, uint32_t seed, bool shared);

}  // namespace tw::test
