#pragma once
// 8-bit indexed pictures written as PNG or BMP, chosen by the file's extension.

#include <cstdint>
#include <string_view>
#include <vector>

namespace tw {

enum PictureFormat { PICTURE_NONE, PICTURE_PNG, PICTURE_BMP };

// PICTURE_PNG for a path ending in ".png", PICTURE_BMP for ".bmp" (any case).
PictureFormat picture_format_of(std::string_view path);

// Writes width x height indices (top row first) with the 256 target colours as
// the palette, converted as extracted images convert them. False with the
// reason recorded.
bool write_indexed_picture(const char* path, const std::vector<uint8_t>& pixels, uint32_t width,
                           uint32_t height, const uint16_t (&colours)[256]);

}  // namespace tw
