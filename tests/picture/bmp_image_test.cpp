#include "picture/bmp_image.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "common/failure.h"
#include "resources/texts.h"
#include "settings/settings.h"
#include "support/bmp_writer.h"
#include "support/scripted_interaction.h"
#include "support/temp_dir.h"

namespace tw {
using test::BmpFixture;
using test::make_bmp;

namespace {

BmpImage decode(const BmpFixture& fixture, int32_t uw = 1, int32_t uh = 1, uint8_t mask = 255) {
    auto bytes = make_bmp(fixture);
    return decode_bmp(bytes.data(), bytes.size(), "C:\\pics\\a.bmp", uw, uh, mask);
}

uint16_t col_at(const BmpImage& img, int e) {
    return static_cast<uint16_t>(img.col[20 + 2 * e] | img.col[21 + 2 * e] << 8);
}

std::vector<uint8_t> pixels_of(const BmpImage& img) {
    return std::vector<uint8_t>(img.pixels.get(), img.pixels.get() + img.pixel_count);
}

std::vector<uint8_t> pattern(size_t n, int modulo) {
    std::vector<uint8_t> p(n);
    for (size_t i = 0; i < n; ++i) p[i] = static_cast<uint8_t>((i * 7 + i / 5) % modulo);
    return p;
}

class BmpTest : public testing::Test {
  protected:
    void SetUp() override { test::reset_settings(tmp.path()); }
    test::TempDir tmp;
};

}  // namespace

TEST(ColourFormat, Examples) {
    EXPECT_EQ(rgb_to_col(255, 255, 255), 0xFFFF);
    EXPECT_EQ(rgb_to_col(0, 4, 0), 0x8000);
    EXPECT_EQ(rgb_to_col(8, 8, 8), 0x0421);
    EXPECT_EQ(rgb_to_col(0, 0, 0), 0x0000);
    EXPECT_EQ(rgb_to_col(248, 0, 0), 0x001F);
    EXPECT_EQ(rgb_to_col(0, 0, 248), 0x7C00);
    EXPECT_EQ(rgb_to_col(0, 252, 0), 0x83E0);
}

TEST_F(BmpTest, OddWidthsWithRowPaddingReadPixelForPixel) {
    // 1-bit 10 wide: 2 data bytes + 2 padding; 4-bit 9 wide: 5 + 3; 8-bit 6 wide: 6 + 2.
    const struct {
        uint16_t bits;
        int32_t width;
        int modulo;
    } cases[] = {{1, 10, 2}, {4, 9, 16}, {8, 6, 256}, {1, 33, 2}, {4, 1, 16}, {8, 3, 256}};
    for (const auto& c : cases) {
        for (bool top_down : {false, true}) {
            BmpFixture s;
            s.bits = c.bits;
            s.width = c.width;
            s.height = 5;
            s.palette = test::ramp_palette(size_t{1} << c.bits);
            s.pixels = pattern(static_cast<size_t>(c.width) * 5, c.modulo);
            s.top_down = top_down;
            g_settings.PAL_Fix_1bit = 0;
            BmpImage img = decode(s);
            ASSERT_EQ(img.pixel_count, static_cast<uint32_t>(c.width * 5)) << c.bits;
            EXPECT_EQ(img.width, c.width);
            EXPECT_EQ(img.height, 5);
            EXPECT_EQ(img.palette_rows, 16);
            EXPECT_EQ(pixels_of(img), s.pixels) << c.bits << " bits, width " << c.width;
        }
    }
}

TEST_F(BmpTest, MaskAppliesToEightBitOnly) {
    BmpFixture s;
    s.width = 4;
    s.height = 1;
    s.palette = test::ramp_palette(256);
    s.pixels = {0x23, 0xFF, 0x10, 0x0F};
    EXPECT_EQ(pixels_of(decode(s, 1, 1, 15)), (std::vector<uint8_t>{3, 15, 0, 15}));
    EXPECT_EQ(pixels_of(decode(s, 1, 1, 255)), s.pixels);
}

TEST_F(BmpTest, ColoursUsedLimitsThePalette) {
    BmpFixture s;
    s.bits = 4;
    s.palette = {0xFFFFFF, 0x000408, 0x080808};
    s.colours_used = 3;
    BmpImage img = decode(s);
    ASSERT_NE(img.pixel_count, 0u);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(img.col), 20), "PETITCOMPETC0100RCOL");
    EXPECT_EQ(col_at(img, 0), 0xFFFF);
    EXPECT_EQ(col_at(img, 1), 0x8400);  // (0x00, 0x04, 0x08): green 0 + bit 15, blue 1
    EXPECT_EQ(col_at(img, 2), 0x0421);
    for (int e = 3; e < 256; ++e) EXPECT_EQ(col_at(img, e), 0) << e;
}

TEST_F(BmpTest, LargerInfoHeadersKeepTheirPalette) {
    // Unusual sizes too: the colour table is where the header says it ends.
    for (uint32_t header : {40u, 41u, 52u, 56u, 64u, 100u, 108u, 124u, 300u}) {
        BmpFixture s;
        s.header_size = header;
        s.palette = {0x000000, 0xF80000, 0x00FC00};
        s.colours_used = 3;
        s.pixels = {1, 2};
        BmpImage img = decode(s);
        ASSERT_NE(img.pixel_count, 0u) << header;
        EXPECT_EQ(col_at(img, 1), 0x001F) << header;
        EXPECT_EQ(col_at(img, 2), 0x83E0) << header;
        EXPECT_EQ(img.pixels[0], 1);
    }
}

TEST_F(BmpTest, TwoColourFix) {
    BmpFixture s;
    s.bits = 1;
    s.width = 4;
    s.height = 1;
    s.palette = {0x102030, 0xFFFFFF};
    s.pixels = {0, 1, 1, 0};

    g_settings.PAL_Fix_1bit = 1;
    BmpImage fixed = decode(s);
    EXPECT_EQ(pixels_of(fixed), (std::vector<uint8_t>{0, 15, 15, 0}));
    EXPECT_EQ(col_at(fixed, 0), rgb_to_col(0x10, 0x20, 0x30));
    EXPECT_EQ(col_at(fixed, 1), 0);
    EXPECT_EQ(col_at(fixed, 15), 0xFFFF);

    g_settings.PAL_Fix_1bit = 0;
    BmpImage kept = decode(s);
    EXPECT_EQ(pixels_of(kept), (std::vector<uint8_t>{0, 1, 1, 0}));
    EXPECT_EQ(col_at(kept, 1), 0xFFFF);
    EXPECT_EQ(col_at(kept, 15), 0);
}

TEST_F(BmpTest, TwoColourQuestionIsAskedOncePerRead) {
    BmpFixture s;
    s.bits = 1;
    s.width = 8;
    s.height = 8;
    s.palette = {0x000000, 0xFFFFFF};
    s.pixels.assign(64, 1);
    g_settings.PAL_Fix_1bit = -1;
    test::ScriptedInteraction ui;
    ui.answers = {true, false};
    EXPECT_EQ(decode(s).pixels[0], 15);
    EXPECT_EQ(decode(s).pixels[0], 1);
    ASSERT_EQ(ui.questions.size(), 2u);
    EXPECT_EQ(ui.questions[0].caption, "パレット変換の確認");
    EXPECT_EQ(ui.questions[0].text,
              "C:\\pics\\a.bmp\nこの画像は2色1bitタイプの画像です。\n画像では現在パレット1が使用"
              "されています。\n文字色であるパレット15を使用して変換を行いますか？");
    // Other bit counts and the settings 0 and 1 never ask.
    s.bits = 4;
    s.palette = test::ramp_palette(16);
    decode(s);
    g_settings.PAL_Fix_1bit = 1;
    s.bits = 1;
    s.palette = {0, 0xFFFFFF};
    decode(s);
    EXPECT_EQ(ui.questions.size(), 2u);
}

TEST_F(BmpTest, UnitCheckOnlyForFourBitTargetsWithAutoTrim) {
    BmpFixture s;
    s.width = 100;
    s.height = 64;
    s.palette = test::ramp_palette(256);
    EXPECT_EQ(decode(s, 16, 16, 15).pixel_count, 0u);
    EXPECT_EQ(last_failure_reason(), &kReasonBmpUnit);
    EXPECT_EQ(decode(s, 1, 1, 255).pixel_count, 6400u);
    EXPECT_EQ(decode(s, 4, 16, 15).pixel_count, 6400u);
    g_settings.AutoTrim = 0;
    EXPECT_EQ(decode(s, 16, 16, 15).pixel_count, 6400u);
}

TEST_F(BmpTest, Refusals) {
    auto base = [] {
        BmpFixture s;
        s.width = 16;
        s.height = 8;
        s.palette = test::ramp_palette(256);
        return s;
    };
    struct Case {
        const char* what;
        const Text* reason;
        BmpFixture fixture;
    };
    std::vector<Case> cases;
    auto add = [&](const char* what, const Text* reason, auto change) {
        BmpFixture s = base();
        change(s);
        cases.push_back({what, reason, s});
    };
    add("24 bits", &kReasonBmpBits, [](BmpFixture& s) {
        s.bits = 24;
        s.palette.clear();
    });
    add("32 bits", &kReasonBmpBits, [](BmpFixture& s) {
        s.bits = 32;
        s.palette.clear();
    });
    add("2 bits", &kReasonBmpBits, [](BmpFixture& s) {
        s.bits = 2;
        s.palette.resize(4);
    });
    add("0 bits", &kReasonBmpBits, [](BmpFixture& s) { s.bits = 0; });
    add("RLE8", &kReasonBmpCompression, [](BmpFixture& s) { s.compression = 1; });
    add("RLE4", &kReasonBmpCompression, [](BmpFixture& s) {
        s.bits = 4;
        s.compression = 2;
        s.palette.resize(16);
    });
    add("bitfields", &kReasonBmpCompression, [](BmpFixture& s) { s.compression = 3; });
    add("zero width", &kReasonBmpSize, [](BmpFixture& s) { s.width = 0; });
    add("zero height", &kReasonBmpSize, [](BmpFixture& s) { s.height = 0; });
    add("negative width", &kReasonBmpSize, [](BmpFixture& s) { s.width = -16; });
    add("pixels cut short", &kReasonBmpTruncated, [](BmpFixture& s) { s.cut_bytes = 1; });
    add("file size field too large", &kReasonBmpTruncated,
        [](BmpFixture& s) { s.file_size_delta = 1; });
    add("file size field too small", &kReasonBmpTruncated,
        [](BmpFixture& s) { s.file_size_delta = -1; });
    add("no pixel data", &kReasonBmpTruncated, [](BmpFixture& s) { s.file_size_delta = -128; });
    add("palette larger than the block", &kReasonBmpPalette, [](BmpFixture& s) {
        s.colours_used = 256;
        s.palette.resize(200);
    });
    add("12-byte OS/2 header", &kReasonBmpHeader, [](BmpFixture& s) { s.header_size = 12; });
    add("missing palette", &kReasonBmpPalette, [](BmpFixture& s) { s.palette.clear(); });
    for (const auto& c : cases) {
        auto bytes = make_bmp(c.fixture);
        clear_failure();
        BmpImage img = decode_bmp(bytes.data(), bytes.size(), "x.bmp", 8, 8, 15);
        EXPECT_EQ(img.pixel_count, 0u) << c.what;
        EXPECT_FALSE(img.pixels) << c.what;
        EXPECT_EQ(last_failure_reason(), c.reason) << c.what << ": " << last_failure();
    }
    // Headers of their own.
    const std::vector<std::vector<uint8_t>> raw = {
        {},
        {'B', 'M'},
        {'B', 'A', 0, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0},
        {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 14, 0, 0, 0},             // no information header
        {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF},  // offset beyond the file
    };
    for (const auto& r : raw)
        EXPECT_EQ(decode_bmp(r.data(), r.size(), "x", 1, 1, 255).pixel_count, 0u);
    // Sizes whose product overflows or needs more data than the file holds.
    for (uint32_t wh : {0x7FFFFFFFu, 0x10000u, 0x100u}) {
        auto bytes = make_bmp(base());
        for (int at : {18, 22}) {
            bytes[at] = static_cast<uint8_t>(wh);
            bytes[at + 1] = static_cast<uint8_t>(wh >> 8);
            bytes[at + 2] = static_cast<uint8_t>(wh >> 16);
            bytes[at + 3] = static_cast<uint8_t>(wh >> 24);
        }
        EXPECT_EQ(decode_bmp(bytes.data(), bytes.size(), "x", 1, 1, 255).pixel_count, 0u) << wh;
    }
}

TEST_F(BmpTest, ReadFromFile) {
    BmpFixture s;
    s.bits = 4;
    s.width = 3;
    s.height = 2;
    s.palette = test::ramp_palette(16);
    s.pixels = {1, 2, 3, 4, 5, 6};
    test::write_bmp_file(tmp.file("a.bmp"), s);
    ConvertJob job{};
    std::snprintf(job.path, sizeof job.path, "%s", tmp.file("a.bmp").c_str());
    BmpImage img = read_bmp(job, 1, 1, 255);
    EXPECT_EQ(pixels_of(img), s.pixels);
    std::snprintf(job.path, sizeof job.path, "%s", tmp.file("missing.bmp").c_str());
    EXPECT_EQ(read_bmp(job, 1, 1, 255).pixel_count, 0u);
    EXPECT_EQ(last_failure_reason(), &kReasonOpenInput);
}

}  // namespace tw
