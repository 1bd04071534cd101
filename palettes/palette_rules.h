#pragma once
// Which palette rule a picture (or a set of pictures sharing banks) takes, and
// running it: AUTO becomes KEEP or GENERATE, with the reason kept for the
// summary.

#include <vector>

#include "palettes/picture_options.h"
#include "palettes/unit_banks.h"

namespace tw {

// AUTO for one picture: KEEP when it is indexed, in whole units and every unit
// keeps to one bank; otherwise GENERATE and why (the first unit that mixed
// banks). Other rules are returned as asked.
PaletteRule decide_rule(const Picture& picture, const PictureOptions& options, const Text& noun,
                        PictureSummary& summary);

// Runs the rule over the pictures, which share one palette (one picture alone
// is a set of one). AUTO over several pictures is KEEP only when each would
// keep and their palettes are the same. Each summary gets the rule, its
// reason, the sizes, the key and the banks. False with the reason recorded;
// `out` then still marks the refused units, for the report, unless the rule
// could not start (`out` empty).
bool assign_banks(const UnitInputs& in, const PictureOptions& options, std::vector<UnitBanks>& out,
                  BankPalette& palette, std::vector<PictureSummary>& summaries);

}  // namespace tw
