// The single converters of extraction: BMP images, screen files and texts.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "extract/bmp_output.h"
#include "extract/palettes.h"
#include "extract/screen_output.h"
#include "extract/text_output.h"
#include "platform/files.h"
#include "settings/settings.h"
#include "support/imagemagick.h"
#include "support/temp_dir.h"
#include "text/char_tables.h"

namespace tw {

namespace {

class OutputsTest : public testing::Test {
  protected:
    void SetUp() override { test::reset_settings(tmp.path()); }
    // Runs `convert` with a cursor at the start of `body` (in a scratch file).
    template <typename F>
    bool with_body(const std::vector<uint8_t>& body, F&& convert) {
        test::write_file(tmp.file("body.bin"), body);
        File f = File::open_read(tmp.file("body.bin").c_str());
        InputCursor in(f);
        bool ok = convert(in);
        if (ok) {
            EXPECT_EQ(in.tell(), body.size());
        }
        return ok;
    }
    // The palette index at (x, y) from the top of an 8-bit BMP.
    static int pixel(const std::vector<uint8_t>& bmp, int x, int y) {
        int w = bmp[18] | bmp[19] << 8, h = bmp[22] | bmp[23] << 8;
        return bmp[1078 + static_cast<size_t>(h - 1 - y) * w + x];
    }
    std::string text(const std::string& file) {
        auto b = test::read_file(tmp.file(file));
        return std::string(b.begin(), b.end());
    }
    test::TempDir tmp;
};

// A CHR body whose tile t is filled with the colour t % 16, and whose first byte is 0x21.
std::vector<uint8_t> numbered_tiles() {
    std::vector<uint8_t> body(8192);
    for (size_t t = 0; t < 256; ++t)
        for (size_t i = 0; i < 32; ++i) body[t * 32 + i] = static_cast<uint8_t>((t % 16) * 0x11);
    body[0] = 0x21;
    return body;
}

}  // namespace

TEST(ColourConversion, Entries) {
    EXPECT_EQ(col_to_bgr0(0x8000), 0x000400u);
    EXPECT_EQ(col_to_bgr0(0x7FFF), 0xF8F8F8u);
    EXPECT_EQ(col_to_bgr0(0x001F), 0xF80000u);
    EXPECT_EQ(col_to_bgr0(0xFFFF), 0xF8FCF8u);
    EXPECT_EQ(chr_palette[15], 0x7FFF);
    EXPECT_EQ(grp_palette[31], chr_palette[31]);
    EXPECT_EQ(grp_palette[32], 0x7FFF);
    EXPECT_EQ(grp_palette[246], 0x1800);
    EXPECT_EQ(grp_palette[255], 0x1084);
}

TEST(ChrUnits, ByNameAndResourceType) {
    const struct {
        const char* name;
        uint16_t type;
        int32_t w, h;
    } cases[] = {{"_BGU0", 262, 8, 8},          {"_BGF1", 258, 8, 8},   {"_BGD_NO_USE1", 264, 8, 8},
                 {"_SPD2", 257, 32, 32},        {"_SPD0", 264, 32, 32}, {"_SPU0", 258, 16, 16},
                 {"_CHR", 262, 64, 32},         {"_SPS1", 263, 32, 64}, {"_SPU0", 257, 16, 16},
                 {"_SPS_NO_USE0", 265, 16, 16}, {"_CHR", 257, 8, 8},    {"_CHR", 266, 8, 8}};
    for (const auto& c : cases) {
        int32_t w = 0, h = 0;
        chr_unit_for(c.name, c.type, &w, &h);
        EXPECT_EQ(w, c.w) << c.name << " " << c.type;
        EXPECT_EQ(h, c.h) << c.name << " " << c.type;
    }
}

TEST_F(OutputsTest, ChrLayouts) {
    auto body = numbered_tiles();
    g_settings.Make_Wide = 0;
    ASSERT_TRUE(with_body(
        body, [&](InputCursor& in) { return chr_to_bmp(in, tmp.file("a").c_str(), "_BGU0"); }));
    auto bmp = test::read_file(tmp.file("a_BGU0.bmp"));
    ASSERT_EQ(bmp.size(), 17462u);
    EXPECT_EQ(bmp[18], 128);
    EXPECT_EQ(bmp[22], 128);
    EXPECT_EQ(pixel(bmp, 0, 0), 1);  // 0x21: left pixel 1,
    EXPECT_EQ(pixel(bmp, 1, 0), 2);  // right pixel 2
    EXPECT_EQ(pixel(bmp, 8, 0), 1);  // tile 1 to its right
    EXPECT_EQ(pixel(bmp, 0, 8), 0);  // tile 16 starts the second tile row
    EXPECT_EQ(pixel(bmp, 8, 8), 1);

    g_settings.Make_Wide = 1;
    ASSERT_TRUE(with_body(
        body, [&](InputCursor& in) { return chr_to_bmp(in, tmp.file("b").c_str(), "_BGU0"); }));
    bmp = test::read_file(tmp.file("b_BGU0.bmp"));
    EXPECT_EQ(bmp[18] | bmp[19] << 8, 256);
    EXPECT_EQ(bmp[22], 64);
    EXPECT_EQ(pixel(bmp, 128, 0), 0);  // tile 16 is still on the first row
    EXPECT_EQ(pixel(bmp, 0, 8), 0);    // tile 32 starts the second row

    // 16 x 16 units for "_SPU0" under the BG type: tiles 0-3 form the first unit.
    g_runtime.resource_type = 257;
    ASSERT_TRUE(with_body(
        body, [&](InputCursor& in) { return chr_to_bmp(in, tmp.file("c").c_str(), "_SPU0"); }));
    bmp = test::read_file(tmp.file("c_SPU0.bmp"));
    EXPECT_EQ(pixel(bmp, 9, 0), 1);
    EXPECT_EQ(pixel(bmp, 0, 8), 2);
    EXPECT_EQ(pixel(bmp, 8, 8), 3);
    EXPECT_EQ(pixel(bmp, 16, 0), 4);

    // 64 x 32 units for "_CHR" under type 262, in a 128 x 128 image: 8 tiles across a unit.
    g_settings.Make_Wide = 0;
    g_runtime.resource_type = 262;
    ASSERT_TRUE(with_body(
        body, [&](InputCursor& in) { return chr_to_bmp(in, tmp.file("d").c_str(), "_CHR"); }));
    bmp = test::read_file(tmp.file("d_CHR.bmp"));
    EXPECT_EQ(pixel(bmp, 56, 0), 7);
    EXPECT_EQ(pixel(bmp, 0, 8), 8);
    EXPECT_EQ(pixel(bmp, 64, 0), 0);  // tile 32 begins the second unit
    EXPECT_EQ(pixel(bmp, 0, 32), 0);  // tile 64 begins the second unit row

    EXPECT_FALSE(with_body(std::vector<uint8_t>(8191), [&](InputCursor& in) {
        return chr_to_bmp(in, tmp.file("e").c_str(), "_CHR");
    }));
    EXPECT_FALSE(test::file_exists(tmp.file("e_CHR.bmp")));
}

TEST_F(OutputsTest, ColAndGrpImages) {
    std::vector<uint8_t> col(512, 0);
    col[0] = 0x00;
    col[1] = 0x80;    // colour 0: 0x8000
    col[510] = 0x1F;  // colour 255: 0x001F
    std::string path = tmp.file("x_COL.bmp");
    test::write_file(path, std::vector<uint8_t>(5000, 0xEE));  // a longer old file
    ASSERT_TRUE(with_body(col, [&](InputCursor& in) {
        return write_bmp(in, path.c_str(), 16, 16, 8, 8, kColKind, PALETTE_COL_BODY);
    }));
    auto bmp = test::read_file(path);
    ASSERT_EQ(bmp.size(), 1334u);
    const std::vector<uint8_t> header{'B', 'M', 0x36, 0x05, 0,  0, 0, 0, 0,  0, 0x36, 0x04, 0, 0,
                                      40,  0,   0,    0,    16, 0, 0, 0, 16, 0, 0,    0,    1, 0,
                                      8,   0,   0,    0,    0,  0, 0, 0, 0,  0, 0,    0,    0, 0,
                                      0,   0,   0,    0,    0,  1, 0, 0, 0,  0, 0,    0};
    EXPECT_EQ(std::vector<uint8_t>(bmp.begin(), bmp.begin() + 54), header);
    EXPECT_EQ(std::vector<uint8_t>(bmp.begin() + 54, bmp.begin() + 58),
              (std::vector<uint8_t>{0, 4, 0, 0}));
    EXPECT_EQ(bmp[54 + 4 * 255 + 2], 248);
    EXPECT_EQ(pixel(bmp, 0, 0), 0);
    EXPECT_EQ(pixel(bmp, 15, 15), 255);
    EXPECT_EQ(pixel(bmp, 3, 1), 19);

    std::vector<uint8_t> grp(49152, 0);
    for (int i = 0; i < 64; ++i) grp[static_cast<size_t>(i)] = static_cast<uint8_t>(i);
    grp[4096] = 200;  // first pixel of the second 64 x 64 block
    ASSERT_TRUE(with_body(grp, [&](InputCursor& in) {
        return write_bmp(in, tmp.file("g.bmp").c_str(), 256, 192, 64, 64, kGrpKind,
                         PALETTE_BUILTIN);
    }));
    bmp = test::read_file(tmp.file("g.bmp"));
    ASSERT_EQ(bmp.size(), 50230u);
    EXPECT_EQ(pixel(bmp, 7, 0), 7);
    EXPECT_EQ(pixel(bmp, 0, 7), 56);
    EXPECT_EQ(pixel(bmp, 7, 7), 63);
    EXPECT_EQ(pixel(bmp, 64, 0), 200);
    EXPECT_EQ(bmp[54 + 4 * 32], 248);  // grp_palette 32 is white: blue 248
}

TEST_F(OutputsTest, ScreenFiles) {
    std::vector<uint8_t> body(8192, 0);
    body[0] = 0x34;
    body[1] = 0x12;
    body[2 * 32] = 1;       // body cell 32 -> (0, 1)
    body[2 * 1024] = 2;     // body cell 1024 -> (32, 0)
    body[2 * 2048] = 3;     // body cell 2048 -> (0, 32)
    body[2 * 3072] = 0xFF;  // body cell 3072 -> (32, 32)
    body[2 * 3072 + 1] = 0xFF;
    body[2 * 5] = 5;  // (5, 0): character 5, palette 9, horizontal flip
    body[2 * 5 + 1] = 0x94;
    ASSERT_TRUE(with_body(
        body, [&](InputCursor& in) { return scr_to_files(in, tmp.file("m").c_str(), "_SCR0"); }));
    auto raw = test::read_file(tmp.file("m_SCR0_SCR.rscr"));
    ASSERT_EQ(raw.size(), 8192u);
    EXPECT_EQ(raw[0], 0x12);
    EXPECT_EQ(raw[1], 0x34);
    EXPECT_EQ(raw[2 * 64 + 1], 1);
    EXPECT_EQ(raw[2 * 32 + 1], 2);
    EXPECT_EQ(raw[2 * 32 * 64 + 1], 3);
    std::string t = text("m_SCR0_SCR.txt");
    const std::string head =
        "' BG SCREEN DATA\r\n' BGPUT Layer, x, y, Number, Palette, horizonal_reverse, "
        "vertical_reverse\r\n' LAYER=0\r\n\r\nBGPUT LAYER,  0,  0,  564,  1, 0, 0\r\n";
    EXPECT_EQ(t.substr(0, head.size()), head);
    EXPECT_NE(t.find("BGPUT LAYER,  5,  0,    5,  9, 1, 0\r\n"), std::string::npos);
    EXPECT_NE(t.find("BGPUT LAYER, 32, 32, 1023, 15, 1, 1\r\n"), std::string::npos);
    size_t lines = 0;
    for (char c : t) lines += c == '\n';
    EXPECT_EQ(lines, 4u + 4096);
    EXPECT_FALSE(with_body(std::vector<uint8_t>(100), [&](InputCursor& in) {
        return scr_to_files(in, tmp.file("n").c_str(), "_SCR");
    }));
    EXPECT_FALSE(test::file_exists(tmp.file("n_SCR_SCR.rscr")));
}

TEST_F(OutputsTest, ImagesReadByAnIndependentDecoder) {
    if (!test::imagemagick()) GTEST_SKIP() << "ImageMagick is not installed";
    std::vector<uint8_t> chr = numbered_tiles(), grp(49152), col(512);
    for (size_t i = 0; i < grp.size(); ++i) grp[i] = static_cast<uint8_t>(i * 7 + i / 64);
    for (size_t i = 0; i < 256; ++i) {
        uint16_t c = static_cast<uint16_t>(i * 0x0421 + (i & 1) * 0x8000 + i * 3);
        col[2 * i] = static_cast<uint8_t>(c);
        col[2 * i + 1] = static_cast<uint8_t>(c >> 8);
    }
    g_settings.Make_Wide = 1;
    g_runtime.resource_type = 261;
    ASSERT_TRUE(with_body(
        chr, [&](InputCursor& in) { return chr_to_bmp(in, tmp.file("i").c_str(), "_SPU0"); }));
    ASSERT_TRUE(with_body(grp, [&](InputCursor& in) {
        return write_bmp(in, tmp.file("i_GRP.bmp").c_str(), 256, 192, 64, 64, kGrpKind,
                         PALETTE_BUILTIN);
    }));
    ASSERT_TRUE(with_body(col, [&](InputCursor& in) {
        return write_bmp(in, tmp.file("i_COL.bmp").c_str(), 16, 16, 8, 8, kColKind,
                         PALETTE_COL_BODY);
    }));
    for (const auto& [file, size] : {std::pair<std::string, std::string>{"i_SPU0.bmp", "256 64"},
                                     {"i_GRP.bmp", "256 192"},
                                     {"i_COL.bmp", "16 16"}}) {
        std::string path = tmp.file(file);
        EXPECT_EQ(test::image_size(path), size) << file;
        auto bmp = test::read_file(path);
        auto rgb = test::decode_rgb(path);
        int w = bmp[18] | bmp[19] << 8, h = bmp[22];
        ASSERT_EQ(rgb.size(), static_cast<size_t>(3 * w * h)) << file;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                int index = pixel(bmp, x, y);
                const uint8_t* entry = &bmp[54 + 4 * static_cast<size_t>(index)];
                const uint8_t* got = &rgb[3 * static_cast<size_t>(y * w + x)];
                ASSERT_EQ(got[0], entry[2]) << file << " " << x << "," << y;
                ASSERT_EQ(got[1], entry[1]) << file << " " << x << "," << y;
                ASSERT_EQ(got[2], entry[0]) << file << " " << x << "," << y;
            }
    }
    // The palette entries themselves are the colour conversion of the built-in and COL colours.
    auto chr_bmp = test::read_file(tmp.file("i_SPU0.bmp"));
    for (int i = 0; i < 256; ++i) {
        uint32_t e = chr_bmp[54 + 4 * i] | chr_bmp[55 + 4 * i] << 8 | chr_bmp[56 + 4 * i] << 16;
        EXPECT_EQ(e, col_to_bgr0(chr_palette[i])) << i;
    }
}

TEST(MemUnitDecoding, ExactInverse) {
    int valid = 0;
    for (uint32_t u = 0; u < 65536; ++u) {
        int code = mem_unit_to_code(static_cast<uint16_t>(u));
        if (code < 0) continue;
        ++valid;
        if (u == 0xFFFF)
            EXPECT_EQ(code, 0xFF);
        else
            EXPECT_EQ(code_to_mem_unit(static_cast<uint8_t>(code)), u) << std::hex << u;
    }
    EXPECT_EQ(valid, 257);
    for (int bad : {0x0041, 0x0021, 0x007F, 0x00A1, 0x00DF, 0xFF02, 0xFF07, 0xFF3C, 0x30FC})
        EXPECT_EQ(mem_unit_to_code(static_cast<uint16_t>(bad)), -1) << std::hex << bad;
    EXPECT_EQ(mem_unit_to_code(0xFF21), 0x41);
    EXPECT_EQ(mem_unit_to_code(0x30A2), 0xB1);
}

TEST(EscapedBytes, Forms) {
    std::string s;
    for (int b : {0x0D, 0xE5, 0x5C, 0x41, 0x7F, 0x9F, 0xA0, 0xDF, 0x20, 0x7E, 0x00})
        write_escaped_byte(s, static_cast<uint8_t>(b));
    EXPECT_EQ(s, "\\0D\\E5\\\\A\\7F\\9F\xA0\xDF ~\\00");
}

TEST_F(OutputsTest, MemTexts) {
    auto body_of = [](std::vector<uint16_t> units, uint32_t count) {
        std::vector<uint8_t> b(516, 0);
        for (size_t k = 0; k < units.size(); ++k) {
            b[2 * k] = static_cast<uint8_t>(units[k]);
            b[2 * k + 1] = static_cast<uint8_t>(units[k] >> 8);
        }
        for (int i = 0; i < 4; ++i) b[512 + i] = static_cast<uint8_t>(count >> (8 * i));
        return b;
    };
    auto run = [&](const std::vector<uint8_t>& body) {
        return with_body(body,
                         [&](InputCursor& in) { return mem_to_text(in, tmp.file("s").c_str()); });
    };
    EXPECT_TRUE(run(body_of({}, 0)));
    EXPECT_EQ(text("s_MEM.txt"), "MEM$=\"\"\r\n");
    EXPECT_TRUE(run(body_of({0xFF21, 0x30A2, 0x000A, 0xFFE5}, 4)));
    EXPECT_EQ(text("s_MEM.txt"), "MEM$=\"A\xB1\n\\\"\r\n");
    g_settings.PRG_ESCAPE = 1;
    EXPECT_TRUE(run(body_of({0xFF21, 0x30A2, 0x000A, 0xFFE5}, 4)));
    EXPECT_EQ(text("s_MEM.txt"), "MEM$=\"A\xB1\\0A\\\\\"\r\n");
    g_settings.PRG_ESCAPE = 0;
    EXPECT_FALSE(run(body_of({0xFF21, 0x0041, 0xFF22}, 3)));  // 0x0041 is no unit of ours
    EXPECT_EQ(text("s_MEM.txt"), "MEM$=\"AB\"\r\n");
    std::vector<uint16_t> many(256, 0xFF3A);
    EXPECT_TRUE(run(body_of(many, 300)));  // a count above 256 reads the 256 stored units
    EXPECT_EQ(text("s_MEM.txt"), "MEM$=\"" + std::string(256, 'Z') + "\"\r\n");
    EXPECT_TRUE(run(body_of({0xFF21}, 0x10001)));  // only the low 16 bits of the count are read
    EXPECT_EQ(text("s_MEM.txt"), "MEM$=\"A\"\r\n");
}

TEST_F(OutputsTest, ProgramTexts) {
    const std::string prog = "PRINT 1\r";
    const std::vector<uint8_t> body(prog.begin(), prog.end());
    auto run = [&](const std::vector<uint8_t>& b, uint32_t n) {
        return with_body(b, [&](InputCursor& in) {
            return prg_to_text(in, b.size(), tmp.file("p").c_str(), n);
        });
    };
    ASSERT_TRUE(run(body, 8));
    EXPECT_EQ(text("p_PRG.txt"), "PRINT 1\r");
    g_settings.PRG_ESCAPE = 1;
    ASSERT_TRUE(run(body, 8));
    EXPECT_EQ(text("p_PRG.txt"), "PRINT 1\\0D");
    g_settings.PRG_MultiByte = 1;
    ASSERT_TRUE(run(body, 8));
    EXPECT_EQ(text("p_PRG.txt"), "\x82\x6F\x82\x71\x82\x68\x82\x6D\x82\x73\x81\x40\x82\x50\r\n");
    ASSERT_TRUE(run({0x81, 0x7E, 0x09}, 3));
    EXPECT_EQ(text("p_PRG.txt"), "\x81\x45~\t");
    ASSERT_TRUE(run({}, 0));
    EXPECT_EQ(text("p_PRG.txt"), "");
    EXPECT_FALSE(run(body, 9));  // more text than the file holds
}

}  // namespace tw
