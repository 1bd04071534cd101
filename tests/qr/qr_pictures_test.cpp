#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "platform/png.h"
#include "qr/bilevel.h"
#include "qr/bitmap_font.h"
#include "qr/qr_outputs.h"
#include "qr/qr_page.h"
#include "qr/qr_sheet.h"

namespace tw {
namespace {

QrSymbol symbol_of(uint8_t seed) {
    std::vector<uint8_t> bytes(40, seed);
    QrSymbol symbol;
    EXPECT_TRUE(qr_encode_v20m(bytes.data(), bytes.size(), 0, symbol));
    return symbol;
}

}  // namespace

// libspng and WIC write different files; the pixels must read back the same.
TEST(QrPictures, BilevelPngReadsBackPixelForPixel) {
    Bilevel picture(13, 5);
    for (size_t i = 0; i < picture.dark.size(); ++i) picture.dark[i] = (i * 7 + i / 13) % 3 == 0;
    std::vector<uint8_t> file;
    ASSERT_TRUE(encode_bilevel_png(picture, file));
    RawPng png;
    ASSERT_TRUE(png_decode_raw(file.data(), file.size(), png));
    ASSERT_EQ(png.depth, 1);
    ASSERT_EQ(png.colour_type, 0);
    ASSERT_EQ(png.width, 13u);
    ASSERT_EQ(png.height, 5u);
    for (uint32_t y = 0; y < 5; ++y)
        for (uint32_t x = 0; x < 13; ++x) {
            const bool white = png.rows[y * 2 + x / 8] >> (7 - x % 8) & 1;
            EXPECT_EQ(white, !picture.dark[y * 13 + x]) << x << "," << y;
        }
}

// Every code lies whole on the sheet where a reader finds it: 4 to a row, each
// with its own quiet zone, none touched by a label or the title.
TEST(QrPictures, SheetHoldsEveryCodeWithItsQuietZone) {
    std::vector<QrSymbol> symbols;
    for (uint8_t i = 0; i < 6; ++i) symbols.push_back(symbol_of(i));
    const uint32_t scale = 2, cell = 105 * scale;
    const Bilevel sheet = draw_qr_sheet(symbols, "PRG: GAME_1", scale);
    EXPECT_EQ(sheet.width, 4 * cell);
    const uint32_t top = (4 + 7 * 3) * scale, row = cell + 7 * 2 * scale;
    EXPECT_EQ(sheet.height, top + 2 * row + 4 * scale);
    for (size_t i = 0; i < symbols.size(); ++i) {
        const Bilevel framed = framed_symbol(symbols[i], scale);
        const uint32_t x0 = static_cast<uint32_t>(i % 4) * cell;
        const uint32_t y0 = top + static_cast<uint32_t>(i / 4) * row;
        size_t differ = 0;
        for (uint32_t y = 0; y < cell; ++y)
            for (uint32_t x = 0; x < cell; ++x)
                differ += sheet.dark[size_t{y0 + y} * sheet.width + x0 + x] !=
                          framed.dark[size_t{y} * cell + x];
        EXPECT_EQ(differ, 0u) << "code " << i + 1;
    }
}

TEST(QrPictures, FontDrawsEveryByte) {
    std::set<std::vector<uint8_t>> glyphs;
    const std::string drawn = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ_:/() ?";
    for (char c : drawn) glyphs.insert({glyph_rows(c), glyph_rows(c) + kGlyphHeight});
    EXPECT_EQ(glyphs.size(), drawn.size());  // no two alike
    EXPECT_EQ(glyph_rows('q'), glyph_rows('Q'));
    for (char c : {'#', '.', '-', '\0', '\x80', '\xFF'}) EXPECT_EQ(glyph_rows(c), glyph_rows('?'));
}

TEST(QrPictures, CodeFilesTakeThreeDigitsFromAHundredCodes) {
    EXPECT_EQ(qr_code_file_suffix(1, 1), "_qr01.png");
    EXPECT_EQ(qr_code_file_suffix(99, 99), "_qr99.png");
    EXPECT_EQ(qr_code_file_suffix(1, 100), "_qr001.png");
    EXPECT_EQ(qr_code_file_suffix(255, 255), "_qr255.png");
}

// The page loads nothing from outside and shows the name only as text.
TEST(QrPictures, PageIsSelfContainedAndEscapesTheName) {
    const std::vector<QrSymbol> symbols = {symbol_of(1), symbol_of(2)};
    std::string html;
    ASSERT_TRUE(make_qr_page(symbols, "A&B'<\"\x01", "PRG", html));
    EXPECT_EQ(html.find("://"), std::string::npos);
    size_t sources = 0, inline_pngs = 0;
    for (size_t at = html.find("src="); at != std::string::npos; at = html.find("src=", at + 1)) {
        ++sources;
        inline_pngs += html.compare(at, 27, "src=\"data:image/png;base64,") == 0;
    }
    EXPECT_EQ(sources, 2u);
    EXPECT_EQ(inline_pngs, 2u);
    EXPECT_NE(html.find("2 / 2  A&amp;B&#39;&lt;&quot;?  PRG"), std::string::npos);
    EXPECT_EQ(html.find("A&B"), std::string::npos);
}

}  // namespace tw
