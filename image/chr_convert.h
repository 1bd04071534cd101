#pragma once
// BMP images to character sets (CHR), and the tile gatherer that also builds
// graphic pages.

#include <cstdint>

#include "convert/convert_job.h"
#include "image/ptc_container.h"
#include "picture/bmp_image.h"

namespace tw {

inline constexpr uint32_t kChrPartPixels = 2 * kChrKind.body_length;  // 4 bits a pixel
inline constexpr uint32_t kGrpPartPixels = kGrpKind.body_length;      // a byte a pixel

// Cuts part `part` of the image into a body: the region (region_width wide,
// part_pixels / region_width high; -1 means the image width) is taken in
// units of unit_width x unit_height from the top, each row left to right,
// and each unit in 8 x 8 tiles the same way. Below 49152 part pixels the body
// has 4 bits a pixel (CHR), otherwise 8 (GRP). Pixels outside the image are 0.
// Empty when there is no such part.
ResourceBuffer gather_tiles(uint32_t part_pixels, uint32_t part, int32_t unit_width,
                            int32_t unit_height, int32_t region_width, const BmpImage& image);

inline constexpr uint32_t kGrpPageWidth = 256;

// How many parts an image is cut into: regions region_width wide and
// part_pixels / region_width high, row by row.
uint32_t image_part_count(const BmpImage& image, uint32_t part_pixels, uint32_t region_width);

// The width of the region one CHR part covers for an image of this width, or
// 0 when no region fits (wider than 16384 with AutoTrim on).
int32_t chr_region_width(int32_t image_width);

// One COL file and one or more CHR files (and with TextOut the DATA text) of job.path.
bool convert_chr(ConvertJob job);

}  // namespace tw
