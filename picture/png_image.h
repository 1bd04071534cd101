#pragma once
// Indexed PNG images read into the same form as BMP images, and pictures of
// either kind read by their signature.

#include <cstddef>
#include <cstdint>

#include "picture/bmp_image.h"

namespace tw {

// An indexed PNG (bit depth 1, 2, 4 or 8 with a palette) as a BmpImage: the
// same size and unit checks as a BMP, pixel_mask ANDed into every index, the
// palette converted as a BMP's colour table is. A zero pixel_count means
// failure, with the reason recorded. The two-colour rule is not applied here;
// bits_out, when given, receives the bit depth for it.
BmpImage decode_png(const uint8_t* data, size_t size, int32_t unit_width, int32_t unit_height,
                    uint8_t pixel_mask, uint32_t* bits_out = nullptr);

// A BMP or an indexed PNG file, told apart by the signature, with the two-colour
// rule applied to either.
BmpImage read_picture(const char* path, int32_t unit_width, int32_t unit_height,
                      uint8_t pixel_mask);

}  // namespace tw
