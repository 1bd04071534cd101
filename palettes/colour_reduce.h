#pragma once
// Colours reduced to what the target can draw: a picture cut into units (8 x 8
// cells of a BG map, or sprites) where each unit draws all its opaque pixels
// with one bank of at most 15 colours, and there are at most 16 banks. Used
// when the picture's own colours do not fit.
//
// Without a fixed palette, a picture of at most 16 distinct units gives each
// its own bank: its colours by median cut and k-means, moved out of local
// minima by trading the least useful colour for the worst-drawn one. Other
// pictures are grouped by clustering in Oklab: banks seeded from the units
// (k-means++ over the error of drawing one unit with another's colours, a
// fixed-seed generator of our own), then, for a fixed number of rounds, each
// unit takes the bank that draws it best and each bank's colours are rebuilt
// from its units' pixels (median cut and k-means, means moved to the nearest
// target colour). The groups are then polished in RGB, the error that PSNR
// counts: each bank's colours by k-means of its own units' pixels, each unit
// to its best bank, until the error stops falling. With a fixed palette each
// unit only takes its best bank. A pixel whose nearest target colour (channel
// by channel) is in its unit's bank is drawn with it; any other takes the
// bank's nearest colour in RGB (dithered: a mix of two, chosen in Oklab).
//
// All arithmetic that decides a result is integer, iterations are counted,
// never timed: one input gives the same bytes on every platform.

#include <cstdint>
#include <vector>

#include "picture/picture.h"

namespace tw {

struct ReduceRequest {
    uint32_t width = 0;
    uint32_t height = 0;
    // The units fill the picture row by row from its top left; those at the
    // right and bottom edges are cut short when the size is not a multiple.
    uint32_t unit_width = 8;
    uint32_t unit_height = 8;
    const Rgba* pixels = nullptr;  // width x height, top row first; a == 0 is transparent
    // When not empty, the banks to draw with, as they are: at most 16, each of
    // at most 15 target colours, entry k drawn as colour number k + 1.
    std::vector<std::vector<uint16_t>> fixed_banks;
    // Ordered dithering by the position within the unit, so that units that
    // were equal stay equal (and still share a tile).
    bool dither = false;
};

struct ReducedPicture {
    uint32_t units_across = 0;
    uint32_t units_down = 0;
    // At most 16 banks of at most 15 target colours; colour number k + 1 of
    // bank b is banks[b][k]. Found banks hold distinct colours in ascending
    // order; a fixed palette is returned as given.
    std::vector<std::vector<uint16_t>> banks;
    std::vector<uint8_t> bank_of_unit;  // units_across x units_down, row by row
    // width x height colour numbers: 0 where the picture is transparent, 1 to
    // 15 (an entry of the unit's bank) where it is opaque.
    std::vector<uint8_t> numbers;
    // Quality over the opaque pixels against the original 8-bit samples, the
    // drawn colours widened as extraction widens them: PSNR in dB of the RGB
    // samples (99 when there is no error or no opaque pixel), and the largest
    // Oklab distance of one pixel (1.0 is black to white).
    double psnr = 0;
    double max_error = 0;
};

// False with the reason recorded when the request is malformed: no pixels, a
// zero or oversized dimension, or a fixed palette of more than 16 banks, a
// bank of more than 15 colours, or no colour at all while a pixel is opaque.
bool reduce_colours(const ReduceRequest& request, ReducedPicture& out);

}  // namespace tw
