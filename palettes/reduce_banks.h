#pragma once
// The palette stage with `--reduce`: when the exact rules refuse a picture
// because a unit has more than 15 colours or the banks do not fit in 16, its
// colours are reduced (palettes/colour_reduce.h) and the units take the banks found
// (or the banks of a palette file), so that the rest of map and sprites runs
// as for any picture.

#include <vector>

#include "common/text.h"
#include "palettes/picture_colours.h"
#include "palettes/unit_banks.h"

namespace tw {

// How far the reduced pictures are from the originals, as ReducedPicture tells.
struct ReduceQuality {
    double psnr = 0;
    double max_error = 0;
};

// Whether `reason` (a refusal of arrange_banks or banks_from_palette) is one
// that reduction answers.
bool reduction_answers(const Text* reason);

// Reduces the pictures, which share their banks: all of them are drawn with
// one set of at most 16 banks (of `fixed`, the 256 colours of a palette file,
// when not null: entries 1-15 of each bank). Entry 0 of every bank is the key.
// False with the reason recorded.
bool reduce_banks(const UnitInputs& in, const TransparentKey& key, const uint16_t* fixed,
                  bool dither, std::vector<UnitBanks>& out, BankPalette& palette,
                  ReduceQuality& quality);

}  // namespace tw
