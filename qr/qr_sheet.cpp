#include "qr/qr_sheet.h"

#include <algorithm>
#include <string>

#include "qr/bitmap_font.h"

namespace tw {
namespace {

constexpr uint32_t kColumns = 4;
constexpr uint32_t kLabelPixel = 2;  // modules a font pixel
constexpr uint32_t kTitlePixel = 3;

}  // namespace

Bilevel draw_qr_sheet(const std::vector<QrSymbol>& symbols, std::string_view title,
                      uint32_t scale) {
    if (symbols.empty()) return Bilevel{};
    const uint32_t count = static_cast<uint32_t>(symbols.size());
    const uint32_t cell = framed_modules(symbols[0]);  // a code with its quiet zone
    const uint32_t columns = std::min(count, kColumns);
    const uint32_t rows = (count + kColumns - 1) / kColumns;
    // In modules: the title with a quiet zone's margin above, then rows of a
    // framed code and its label, a quiet zone's space below each label.
    const uint32_t title_height = kQuietZone + kGlyphHeight * kTitlePixel;
    const uint32_t row_height = cell + kGlyphHeight * kLabelPixel;
    const uint32_t width =
        std::max(columns * cell, 2 * kQuietZone + text_width(title.size(), kTitlePixel));
    Bilevel sheet(width * scale, (title_height + rows * row_height + kQuietZone) * scale);
    draw_text(sheet, kQuietZone * scale, kQuietZone * scale, title, kTitlePixel * scale);
    for (uint32_t i = 0; i < count; ++i) {
        const uint32_t x = (i % kColumns) * cell;
        const uint32_t y = title_height + (i / kColumns) * row_height;
        draw_symbol(sheet, (x + kQuietZone) * scale, (y + kQuietZone) * scale, symbols[i], scale);
        const std::string label = std::to_string(i + 1) + "/" + std::to_string(count);
        const uint32_t label_x = x + (cell - text_width(label.size(), kLabelPixel)) / 2;
        draw_text(sheet, label_x * scale, (y + cell) * scale, label, kLabelPixel * scale);
    }
    return sheet;
}

}  // namespace tw
