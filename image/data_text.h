#pragma once
// BASIC DATA statements of palettes, CHR bodies and GRP bodies. ASCII, every
// line ended by a lone CR, hexadecimal digits upper-case. A null writer or an
// empty buffer writes nothing.

#include <cstdint>
#include <vector>

#include "image/ptc_container.h"
#include "picture/bmp_image.h"
#include "platform/buffered_writer.h"

namespace tw {

void write_palette_data(BufferedWriter* out, const BmpImage& image);
void write_chr_data(BufferedWriter* out, const ResourceBuffer& body, int32_t unit_width,
                    int32_t unit_height, int32_t part);
// The palette of each sprite in order: a heading, then DATA lines of up to 16
// decimal numbers.
void write_sprite_palette_data(BufferedWriter* out, const std::vector<uint8_t>& palettes);
// Reads DATA_Type: nonzero hexadecimal strings, 0 decimal numbers.
void write_grp_data(BufferedWriter* out, const ResourceBuffer& body);

}  // namespace tw
