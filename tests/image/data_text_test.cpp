#include "image/data_text.h"

#include <gtest/gtest.h>

#include <regex>
#include <string>

#include "settings/settings.h"
#include "support/image_fixtures.h"
#include "support/temp_dir.h"

namespace tw {

namespace {

// Runs a writer against a scratch file and returns what it wrote.
template <typename F>
std::string written(F&& write) {
    test::TempDir tmp;
    std::string path = tmp.file("data.txt");
    {
        File f = File::open_write(path.c_str());
        BufferedWriter w(f);
        write(&w);
        EXPECT_TRUE(w.finish());
    }
    auto b = test::read_file(path);
    return std::string(b.begin(), b.end());
}

size_t count(const std::string& text, const std::string& what) {
    size_t n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

std::vector<std::string> headings(const std::string& text) {
    std::vector<std::string> out;
    std::regex re("' &H([0-9A-F]+)\r");
    for (auto it = std::sregex_iterator(text.begin(), text.end(), re); it != std::sregex_iterator();
         ++it)
        out.push_back((*it)[1]);
    return out;
}

}  // namespace

TEST(PaletteData, RowsOfSixLines) {
    BmpImage img = test::make_image(1, 1, [](int32_t, int32_t) { return uint8_t{0}; });
    // Colour 0 white, colour 1 (8, 4, 0) with the green low bit, colour 17 pure blue.
    auto put = [&](int e, uint16_t v) {
        img.col[20 + 2 * e] = static_cast<uint8_t>(v);
        img.col[21 + 2 * e] = static_cast<uint8_t>(v >> 8);
    };
    put(0, 0xFFFF);
    put(1, 0x8001);
    put(17, 0x7C00);
    std::string text = written([&](BufferedWriter* w) { write_palette_data(w, img); });
    EXPECT_EQ(text.substr(0, 94),
              "' PALETTE 0\r"
              "DATA \"F8FCF8\",\"080400\",\"000000\",\"000000\"\r"
              "DATA \"000000\",\"000000\",\"000000\",\"000000\"\r");
    EXPECT_NE(text.find("' PALETTE 1\rDATA \"000000\",\"0000F8\",\"000000\",\"000000\"\r"),
              std::string::npos);
    EXPECT_EQ(count(text, "' PALETTE "), 16u);
    EXPECT_EQ(count(text, "DATA "), 64u);
    EXPECT_EQ(count(text, "\r\r"), 16u);
    EXPECT_EQ(text.size(), 10u * 177 + 6u * 178);  // headings 10 to 15 have two digits
    EXPECT_NE(text.find("' PALETTE 15\r"), std::string::npos);
    EXPECT_EQ(text.find('\n'), std::string::npos);
    BmpImage none{};
    EXPECT_EQ(written([&](BufferedWriter* w) { write_palette_data(w, none); }), "");
}

TEST(ChrData, TilesLowNibbleFirst) {
    ResourceBuffer body(kChrKind);
    body.body()[0] = 0x21;
    body.body()[31] = 0xF0;
    std::string text = written([&](BufferedWriter* w) { write_chr_data(w, body, 8, 8, 0); });
    std::string first = "' &H00\rDATA \"12" + std::string(60, '0') + "0F\"\r\r";
    EXPECT_EQ(text.substr(0, first.size()), first);
    EXPECT_EQ(count(text, "DATA \""), 256u);
    EXPECT_EQ(text.find('\n'), std::string::npos);
}

TEST(ChrData, UnitHeadingsPerSize) {
    ResourceBuffer body(kChrKind);
    const struct {
        int32_t w, h, part;
        size_t units;
        int first, step;
    } cases[] = {{8, 8, 0, 256, 0, 1},   {8, 8, 2, 256, 128, 1}, {16, 16, 0, 64, 0, 1},
                 {16, 16, 1, 64, 64, 1}, {32, 16, 0, 32, 0, 2},  {16, 32, 0, 32, 0, 2},
                 {32, 32, 0, 16, 0, 4},  {64, 32, 0, 8, 0, 8},   {32, 64, 0, 8, 0, 8},
                 {64, 64, 3, 4, 192, 16}};
    for (const auto& c : cases) {
        std::string text =
            written([&](BufferedWriter* w) { write_chr_data(w, body, c.w, c.h, c.part); });
        auto h = headings(text);
        ASSERT_EQ(h.size(), c.units) << c.w << "x" << c.h;
        for (size_t i = 0; i < h.size(); ++i) {
            int n = c.first + static_cast<int>(i) * c.step;
            char want[16];
            std::snprintf(want, sizeof want, "%X%X", n >> 4, n & 15);
            EXPECT_EQ(h[i], want) << c.w << "x" << c.h << " unit " << i;
        }
        EXPECT_EQ(count(text, "DATA \""), 256u);
        EXPECT_EQ(count(text, "\"\r\r"), c.units);
    }
    std::string text = written([&](BufferedWriter* w) { write_chr_data(w, body, 16, 16, 1); });
    EXPECT_EQ(headings(text).front(), "40");
    EXPECT_EQ(headings(text).back(), "7F");
}

TEST(GrpData, HexadecimalAndDecimal) {
    test::TempDir tmp;
    test::reset_settings(tmp.path());
    ResourceBuffer body(kGrpKind);
    for (int i = 0; i < 64; ++i) body.body()[i] = 255;
    body.body()[64] = 0x0A;
    body.body()[65] = 100;
    std::string hex = written([&](BufferedWriter* w) { write_grp_data(w, body); });
    std::string line0 = "DATA \"" + std::string(128, 'F') + "\"\r";
    std::string line1 = "DATA \"0A64" + std::string(124, '0') + "\"\r";
    EXPECT_EQ(hex.substr(0, line0.size() + line1.size()), line0 + line1);
    EXPECT_EQ(hex.size(), 768u * line0.size());

    g_settings.DATA_Type = 0;
    std::string dec = written([&](BufferedWriter* w) { write_grp_data(w, body); });
    std::string d0 = "DATA 255";
    for (int i = 1; i < 64; ++i) d0 += ",255";
    d0 += "\r";
    std::string d1 = "DATA 10,100";
    for (int i = 2; i < 64; ++i) d1 += ",0";
    d1 += "\r";
    EXPECT_EQ(dec.substr(0, d0.size() + d1.size()), d0 + d1);
    EXPECT_EQ(count(dec, "DATA "), 768u);
    EXPECT_EQ(dec.find('\n'), std::string::npos);
    EXPECT_EQ(written([&](BufferedWriter* w) { write_grp_data(w, ResourceBuffer()); }), "");
}

}  // namespace tw
