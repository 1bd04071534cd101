#pragma once
// CHR, COL and GRP bodies back to 8-bit BMP images with a 256-colour palette.

#include <cstdint>
#include <string>
#include <vector>

#include "extract/input_cursor.h"
#include "image/colour.h"
#include "image/resource_kinds.h"

namespace tw {

enum PaletteSource { PALETTE_BUILTIN, PALETTE_COL_BODY };

inline constexpr uint32_t kBmp8PixelOffset = 1078;

// An 8-bit BMP file of width x height with the colours as its palette: the
// headers, the palette and zero pixels, stored bottom row first.
std::vector<uint8_t> bmp8_file(uint32_t width, uint32_t height, const uint16_t (&colours)[256]);

// Reads the body of a CHR (4 bits a pixel), COL (the body is the palette and
// each colour one pixel) or GRP record (8 bits a pixel) at the cursor and
// writes path. Units of unit_width x unit_height fill the image row by row,
// their 8 x 8 tiles likewise. False when the body is short (nothing written) or
// the file cannot be written.
bool write_bmp(InputCursor& in, const char* path, int32_t width, int32_t height, int32_t unit_width,
               int32_t unit_height, const ResourceKind& kind, PaletteSource palette);

// The unit a CHR body is laid out in, by its part name and the resource type.
void chr_unit_for(const std::string& part_name, uint16_t resource_type, int32_t* unit_width,
                  int32_t* unit_height);

// A CHR body as base_path + part_name + ".bmp": 256 x 64 with Make_Wide, else 128 x 128.
bool chr_to_bmp(InputCursor& in, const char* base_path, const std::string& part_name);

}  // namespace tw
