#pragma once
// Pictures of two colours, as QR codes and their sheets are drawn: one byte a
// pixel while drawing, one bit a pixel in the PNG.

#include <cstdint>
#include <vector>

#include "platform/qr_symbol.h"

namespace tw {

struct Bilevel {
    uint32_t width = 0;
    uint32_t height = 0;
    std::vector<uint8_t> dark;  // width * height, top row first: 1 dark, 0 light

    Bilevel() = default;
    Bilevel(uint32_t w, uint32_t h) : width(w), height(h), dark(size_t{w} * h, 0) {}
    // Darkens the rectangle; the caller keeps it inside the picture.
    void fill(uint32_t x, uint32_t y, uint32_t w, uint32_t h);
};

// The light margin a reader needs around a symbol, in modules.
inline constexpr uint32_t kQuietZone = 4;

// Side of a symbol with its quiet zone, in modules.
constexpr uint32_t framed_modules(const QrSymbol& symbol) {
    return symbol.size + 2 * kQuietZone;
}

// Draws `symbol` with its top left module at (x, y), `scale` pixels a module.
void draw_symbol(Bilevel& canvas, uint32_t x, uint32_t y, const QrSymbol& symbol, uint32_t scale);

// The symbol alone with its quiet zone, `scale` pixels a module.
Bilevel framed_symbol(const QrSymbol& symbol, uint32_t scale);

// A 1-bit greyscale PNG of the picture, dark as black. False when the codec failed.
bool encode_bilevel_png(const Bilevel& picture, std::vector<uint8_t>& out);

}  // namespace tw
