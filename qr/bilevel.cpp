#include "qr/bilevel.h"

#include <algorithm>

#include "platform/png.h"

namespace tw {

void Bilevel::fill(uint32_t x, uint32_t y, uint32_t w, uint32_t h) {
    for (uint32_t row = y; row < y + h; ++row)
        std::fill_n(dark.begin() + static_cast<ptrdiff_t>(size_t{row} * width + x), w, uint8_t{1});
}

void draw_symbol(Bilevel& canvas, uint32_t x, uint32_t y, const QrSymbol& symbol, uint32_t scale) {
    for (uint32_t my = 0; my < symbol.size; ++my)
        for (uint32_t mx = 0; mx < symbol.size; ++mx)
            if (symbol.dark[size_t{my} * symbol.size + mx])
                canvas.fill(x + mx * scale, y + my * scale, scale, scale);
}

Bilevel framed_symbol(const QrSymbol& symbol, uint32_t scale) {
    const uint32_t side = framed_modules(symbol) * scale;
    Bilevel picture(side, side);
    draw_symbol(picture, kQuietZone * scale, kQuietZone * scale, symbol, scale);
    return picture;
}

bool encode_bilevel_png(const Bilevel& picture, std::vector<uint8_t>& out) {
    const size_t stride = (size_t{picture.width} + 7) / 8;
    std::vector<uint8_t> rows(stride * picture.height, 0xFF);  // white
    for (uint32_t y = 0; y < picture.height; ++y)
        for (uint32_t x = 0; x < picture.width; ++x)
            if (picture.dark[size_t{y} * picture.width + x])
                rows[y * stride + x / 8] &= static_cast<uint8_t>(~(0x80u >> (x % 8)));
    return png_encode_bilevel(rows.data(), picture.width, picture.height, out);
}

}  // namespace tw
