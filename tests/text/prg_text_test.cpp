#include "text/prg_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "settings/settings.h"
#include "support/image_fixtures.h"
#include "support/temp_dir.h"

namespace tw {

namespace {

class PrgTest : public testing::Test {
  protected:
    void SetUp() override { test::reset_settings(tmp.path()); }
    // The converted text of `in`, or nullopt-like "FAIL" when the body fails.
    std::string text_of(std::string in) {
        std::vector<uint8_t> b(in.begin(), in.end());
        ResourceBuffer buf = prg_body_from_text(b.data(), b.size());
        if (buf.empty()) return "FAIL";
        const uint8_t* body = buf.body();
        uint32_t n =
            body[8] | body[9] << 8 | body[10] << 16 | static_cast<uint32_t>(body[11]) << 24;
        EXPECT_EQ(buf.length(), 32 + n + (4 - n % 4) % 4);
        EXPECT_EQ(buf.length() % 4, 0u);
        return std::string(reinterpret_cast<const char*>(body + 12), n);
    }
    test::TempDir tmp;
};

std::string line(size_t n, char c = 'A') {
    return std::string(n, c);
}

}  // namespace

TEST_F(PrgTest, TwelveBytePrintText) {
    test::write_file(tmp.file("prog.txt"), std::string("PRINT 1\r\nEND"));
    ConvertJob job = make_convert_job(tmp.file("prog.txt").c_str(), false);
    ResourceBuffer buf = build_prg_body(job);
    ASSERT_EQ(buf.length(), 44u);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(buf.data()), 20), "PETITCOMPETC0300RPRG");
    const std::vector<uint8_t> body(buf.body(), buf.body() + 24);
    EXPECT_EQ(body,
              (std::vector<uint8_t>{0,   0,   0,   0,   0,   0,   0,   0,    11,  0,   0,   0,
                                    'P', 'R', 'I', 'N', 'T', ' ', '1', '\r', 'E', 'N', 'D', 0}));
    ASSERT_TRUE(convert_prg(job));
    auto p = test::read_ptc(tmp.file("prog_PRG.ptc"));
    EXPECT_TRUE(p.valid);
    EXPECT_EQ(p.type_code, 0u);
    EXPECT_EQ(p.name, "PROG");
    EXPECT_EQ(test::read_file(tmp.file("prog_PRG.ptc")).size(), 72u);
}

TEST_F(PrgTest, PaddingAndShortTexts) {
    EXPECT_EQ(text_of("ABCD"), "ABCD");
    EXPECT_EQ(text_of("X"), "X");
    EXPECT_EQ(text_of("\x82"), "\x82");  // one byte: no step runs
    EXPECT_EQ(text_of("A\r\n"), "A\r");
    EXPECT_EQ(text_of("A\rB\nC\r\r\n"), "A\rB\nC\r\r");
    EXPECT_EQ(text_of(""), "FAIL");
}

TEST_F(PrgTest, FullwidthTexts) {
    EXPECT_EQ(text_of("\x82\x6F\x82\x71\x82\x68\x82\x6D\x82\x73\r\n"), "PRINT\r");
    EXPECT_EQ(text_of("\x82\x6F\x82\x71\x82\x68\x82\x6D\x82\x73\x81\x40\x82\x60\x82\x61"),
              "PRINT AB");
    EXPECT_EQ(text_of("\x83\x4B\x81\x85"), "\xB6\xDE\x3C\x3D");  // ガ≦
    // Bytes below 0x60 pass; a half-width katakana byte or a kanji fails.
    EXPECT_EQ(text_of("\x82\x60 1\r\n"), "A 1\r");
    EXPECT_EQ(text_of("\xB1 \xB2 "), "FAIL");
    EXPECT_EQ(text_of("\x88\x9F\x82\x60"), "FAIL");
    EXPECT_EQ(text_of("\x82\x60\x81\x7D"), "FAIL");  // ± is not in the table
}

TEST_F(PrgTest, ModeByEvenOffsets) {
    EXPECT_TRUE(prg_is_fullwidth(reinterpret_cast<const uint8_t*>("\x82\x60\x82\x61"), 4));
    // A TAB shifts the lead bytes to odd offsets: the trail byte 0x60 of Ａ makes it single-byte.
    const std::string shifted = "\t\x82\x60\x82\x61";
    EXPECT_FALSE(
        prg_is_fullwidth(reinterpret_cast<const uint8_t*>(shifted.data()), shifted.size()));
    EXPECT_EQ(text_of(shifted), shifted);  // stored unconverted
    EXPECT_EQ(text_of("~\x82\x60"), "~\x82\x60");
}

TEST_F(PrgTest, LineLengthLimits) {
    EXPECT_EQ(text_of(line(199) + "\r"), line(199) + "\r");
    EXPECT_EQ(text_of(line(200) + "\r"), "FAIL");
    EXPECT_EQ(text_of(line(200)), line(200));  // the last byte is never tested
    EXPECT_EQ(text_of(line(201)), "FAIL");
    EXPECT_EQ(text_of("A\r" + line(198) + "\r\n"), "A\r" + line(198) + "\r");
    EXPECT_EQ(text_of("A\r" + line(199) + "\r\n"), "FAIL");
    EXPECT_EQ(text_of("A\r\n" + line(198) + "\r\nB"), "A\r" + line(198) + "\rB");
    // Voiced kana count two places.
    std::string ga;
    for (int i = 0; i < 99; ++i) ga += "\x83\x4B";
    EXPECT_EQ(text_of(ga + "\x82\x60\r\n").size(), 200u);  // 198 codes, then A at 198, CR at 199
    EXPECT_EQ(text_of(ga + "\x83\x4B\r\n"), "FAIL");       // the second code at 199
    g_settings.PRG_Limit = 0;
    EXPECT_EQ(text_of(line(5000) + "\r"), line(5000) + "\r");
}

TEST_F(PrgTest, EscapesOnlyInSingleByteMode) {
    g_settings.PRG_ESCAPE = 1;
    EXPECT_EQ(text_of("A\\E0B"),
              "A\xE0"
              "B");
    EXPECT_EQ(text_of("\\5C41"), "\\41");
    EXPECT_EQ(text_of("\x82\x60 \\\x82\x61"), "A \\B");  // full-width mode decodes no escape
    EXPECT_EQ(text_of("\\"), "FAIL");                    // escapes leave nothing
    g_settings.PRG_ESCAPE = 0;
    EXPECT_EQ(text_of("A\\E0B"), "A\\E0B");
    EXPECT_EQ(text_of("\\"), "\\");
}

TEST_F(PrgTest, MissingFileAndDefaultName) {
    EXPECT_FALSE(convert_prg(make_convert_job(tmp.file("none.txt").c_str(), false)));
    test::write_file(tmp.file("\x82\xA0.txt"), std::string("END"));
    ASSERT_TRUE(convert_prg(make_convert_job(tmp.file("\x82\xA0.txt").c_str(), false)));
    EXPECT_EQ(test::read_ptc(tmp.file("\x82\xA0_PRG.ptc")).name, "PRG");
    test::write_file(tmp.file("bad.txt"), std::string("\xB1 \xB2 "));
    EXPECT_FALSE(convert_prg(make_convert_job(tmp.file("bad.txt").c_str(), false)));
    EXPECT_FALSE(test::file_exists(tmp.file("bad_PRG.ptc")));
}

}  // namespace tw
