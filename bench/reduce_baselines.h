#pragma once
// Two plain ways of fitting a picture into banks, for the colour reducer's
// benchmark to be measured against. Both work in 8-bit RGB on the pixels'
// own colours, round palette colours to the nearest target colour and draw
// each pixel with its nearest palette colour; both return the
// PSNR in dB over the opaque pixels against the original samples.

#include <cstdint>

#include "picture/picture.h"

namespace tw::bench {

// No limit on colours: every pixel drawn with its nearest target colour. No
// reduction can do better.
double ceiling_psnr(const Rgba* pixels, uint32_t width, uint32_t height);

// One 15-colour median-cut palette for the whole picture.
double single_palette_psnr(const Rgba* pixels, uint32_t width, uint32_t height);

// Units grouped into 16 by k-means of their mean colour, then a 15-colour
// median cut for each group.
double two_step_psnr(const Rgba* pixels, uint32_t width, uint32_t height, uint32_t unit_width,
                     uint32_t unit_height);

// Each unit drawn with 15 colours of its own: a median cut of its pixels, then
// k-means from it until no colour moves. Only a picture of at most 16 units
// can be drawn so; for a larger one this is a bound, not a reduction.
double per_unit_psnr(const Rgba* pixels, uint32_t width, uint32_t height, uint32_t unit_width,
                     uint32_t unit_height);

}  // namespace tw::bench
