#pragma once
// A small bitmap font of our own for the labels of QR sheets: 0-9, A-Z,
// "_:/()" and space in cells of 5 x 7 pixels. Lower case is drawn upper case
// and any other byte as "?", so any name can be shown.

#include <cstdint>
#include <string_view>

#include "qr/bilevel.h"

namespace tw {

inline constexpr uint32_t kGlyphWidth = 5;
inline constexpr uint32_t kGlyphHeight = 7;
inline constexpr uint32_t kGlyphAdvance = 6;  // a column of space after each glyph

// Width of `chars` characters drawn at `pixel` picture pixels a font pixel.
constexpr uint32_t text_width(size_t chars, uint32_t pixel) {
    return chars == 0 ? 0 : (static_cast<uint32_t>(chars) * kGlyphAdvance - 1) * pixel;
}

// The rows of a character's glyph, top first, bit 4 the leftmost pixel.
const uint8_t* glyph_rows(char c);

// Draws `text` with its top left at (x, y); the caller keeps it inside the picture.
void draw_text(Bilevel& canvas, uint32_t x, uint32_t y, std::string_view text, uint32_t pixel);

}  // namespace tw
