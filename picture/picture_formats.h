#pragma once
// The decoders behind decode_picture, one a file format. Each starts from an
// empty Picture and returns false with the reason recorded.

#include <cstddef>
#include <cstdint>

#include "picture/picture.h"

namespace tw {

// The largest width and height a picture may have.
inline constexpr uint32_t kMaxPictureSide = 16384;

bool decode_bmp_picture(const uint8_t* data, size_t size, Picture& out);
bool decode_png_picture(const uint8_t* data, size_t size, Picture& out);
// JPEG (baseline and progressive) and GIF (its first frame) through stb_image.
bool decode_jpeg_picture(const uint8_t* data, size_t size, Picture& out);
bool decode_gif_picture(const uint8_t* data, size_t size, Picture& out);

// Fills out.pixels from out.indices and out.palette; false with the reason
// recorded when an index lies beyond the palette.
bool paint_indices(Picture& out);

}  // namespace tw
