#include "text/scr_screen.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "support/image_fixtures.h"
#include "support/temp_dir.h"

namespace tw {

namespace {

// The cells a text gives, or nothing when it fails.
struct Parsed {
    bool ok;
    std::map<std::pair<int, int>, int32_t> cells;  // (x, y) -> value, nonzero cells only
};

Parsed parse(const std::string& text) {
    static ScreenCells cells;
    std::memset(cells, 0, sizeof cells);
    BgputParser p(cells);
    for (char c : text)
        if (!p.feed(static_cast<uint8_t>(c))) break;
    Parsed r{p.finish(), {}};
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            if (cells[y][x] != 0) r.cells[{x, y}] = cells[y][x];
    return r;
}

std::map<std::pair<int, int>, int32_t> one(int x, int y, int32_t v) {
    return {{{x, y}, v}};
}

}  // namespace

TEST(Bgput, AcceptedForms) {
    const struct {
        std::string text;
        std::map<std::pair<int, int>, int32_t> cells;
    } cases[] = {
        {"BGPUT 0,1,2,3,4,0,1\r\n", one(1, 2, 0x4803)},
        {"BGPUT 0,1,2,100\r\n", one(1, 2, 100)},
        {"BGPUT 0,1,2,5000\r\n", one(1, 2, 5000)},
        {"BGPUT 0,1,2,\"00ff\"\r\n", one(1, 2, 0xFF)},
        {"BGPUT 0,1,2,\"00FF\"\r\n", one(1, 2, 0xFF)},
        {"BGPUT 0,&H1F,0,1\r\n", one(31, 0, 1)},
        {"BGPUT 0,&h1f,0,1\r\n", one(31, 0, 1)},
        {"BGPUT 0,0,1,&Ha\r\n", one(0, 1, 10)},
        {"BGPUT 0,-1,0,1\r\n", one(63, 0, 1)},
        {"BGPUT 0,64,65,1\r\n", one(0, 1, 1)},
        {"BGPUT 0,1-,0,1\r\n", one(63, 0, 1)},  // the minus may stand anywhere in the field
        {"BGPUT 0,0,0,1,0,-1,-1\r\n", one(0, 0, 0xC01)},
        {"bgput LAYER, 5, 6,  7,  8,  1,  0\r\n", one(5, 6, 0x8407)},
        {"\tBGPUT  LAYER,\t1 , 2 ,3 ,0 ,0 ,0  \r\n", one(1, 2, 3)},
        {"BGPUT 0,1,2,3,4,0,1 'comment\r\n", one(1, 2, 0x4803)},
        {"BGPUT 0,1,2,\"0001\" 'comment\r\n", one(1, 2, 1)},
        {"   'only a comment\r\nBGPUT 0,1,1,1\r\n", one(1, 1, 1)},
        {"XBGPUT 0,1,1,1\r\n", one(1, 1, 1)},
        {"BGPUT 0,1,1,1\r", one(1, 1, 1)},
        {"BGPUT 0,1,1,1", one(1, 1, 1)},
        {"BGPUT 0,1,1,1\n\nBGPUT 0,2,2,2\n", {{{1, 1}, 1}, {{2, 2}, 2}}},
        {"BGPUT 0,1,1,1\r\nBGPUT 0,1,1,9\r\n", one(1, 1, 9)},
        {"' a comment\nBGPUT 0,1,1,1\n\r", {}},  // a comment ends only at CR
        {"", {}},
        {"\r\n\r\n", {}},
        // A minus in the flips of one statement does not carry into the next x.
        {"BGPUT 0,0,0,1,0,-1,-1\r\nBGPUT 0,5,5,1\r\n", {{{0, 0}, 0xC01}, {{5, 5}, 1}}},
        {"BGPUT 0,0,0,1,0,0,-1\r\nBGPUT 0,-2,5,1\r\n", {{{0, 0}, 0x801}, {{62, 5}, 1}}},
    };
    for (const auto& c : cases) {
        Parsed p = parse(c.text);
        EXPECT_TRUE(p.ok) << c.text;
        EXPECT_EQ(p.cells, c.cells) << c.text;
    }
}

TEST(Bgput, RejectedForms) {
    const char* cases[] = {
        "BGPUT 0,1,2,1024,0,0,0\r\n",  // character 1024
        "BGPUT 0,1,2,3,16,0,0\r\n",    // palette 16
        "BGPUT 0,1,2,\"000FF\"\r\n",   // five digits
        "BGPUT 0,1,2,\"0FF\"\r\n",
        "BGPUT 0,&1F,0,1\r\n",
        "BGPUT 0,1,2,100 'comment\r\n",  // a four-field statement ends only at the line end
        "REM\r\n",
        "PRINT 1\r\n",
        "BGPUT 0,1,2\r\n",
        "BGPUT 0,1,2,3,4\r\n",
        "BGPUT 0,1,2,3,4,5\r\n",
        "BGPUT 0,1,,3\r\n",
        "BGPUT 0,1,2,3,4,0,1,\r\n",
        "BGPUT 0,1,2,3,4,0,1 5\r\n",
        "BGPUT 0,--1,2,3\r\n",
        "BGPUT 0,1,2,-3\r\n",
        "BGPUT 0,1 2,3,4\r\n",
        "BGPUT0,1,2,3\r\n",
        "BG PUT 0,1,2,3\r\n",
        "BGPUT 0\r\n",
        "BGPUT 0,1,1,1\nBGPUT 0,2,2,2\n",     // LF alone needs an empty line before the next B
        "BGPUT 0,1,2,3\r\nBGPUT 0,1,2,\r\n",  // an error in the last line rejects everything
        "BGPUT 0,1,2,3,4,0,1\r\n'ok\r\nBGPUT",
        "BGPUT 0,&H,2,3\r\n",
        "BGPUT 0,1,2,G\r\n",
        "BGPUT 0,1,2,\"12\"34\r\n",
    };
    for (const char* c : cases) EXPECT_FALSE(parse(c).ok) << c;
}

TEST(ScrBody, BlockLayout) {
    EXPECT_EQ(scr_unit_index(0, 0), 0u);
    EXPECT_EQ(scr_unit_index(31, 0), 31u);
    EXPECT_EQ(scr_unit_index(0, 1), 32u);
    EXPECT_EQ(scr_unit_index(32, 0), 1024u);
    EXPECT_EQ(scr_unit_index(0, 32), 2048u);
    EXPECT_EQ(scr_unit_index(63, 63), 4095u);
}

class ScrFiles : public testing::Test {
  protected:
    void SetUp() override { test::reset_settings(tmp.path()); }
    ResourceBuffer body(const std::string& file) {
        return build_scr_body(make_convert_job(tmp.file(file).c_str(), false));
    }
    test::TempDir tmp;
};

TEST_F(ScrFiles, RawScreens) {
    std::vector<uint8_t> raw(8192 + 7, 0x00);
    raw[0] = 0x12;
    raw[1] = 0x34;
    raw[2 * 32] = 0xAB;        // cell (32, 0)
    raw[2 * 32 * 64 + 1] = 7;  // cell (0, 32)
    test::write_file(tmp.file("map.rscr"), raw);
    ResourceBuffer b = body("map.rscr");
    ASSERT_EQ(b.length(), 8212u);
    EXPECT_EQ(b.data()[20], 0x34);
    EXPECT_EQ(b.data()[21], 0x12);
    EXPECT_EQ(b.data()[2068 + 1], 0xAB);
    EXPECT_EQ(b.data()[4116], 7);

    test::write_file(tmp.file("short.rscr"), std::vector<uint8_t>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
    ResourceBuffer s = body("short.rscr");
    ASSERT_EQ(s.length(), 8212u);
    EXPECT_EQ(s.data()[28], 10);  // the fifth cell, (4, 0)
    EXPECT_EQ(s.data()[29], 9);
    for (uint32_t i = 30; i < 8212; ++i) ASSERT_EQ(s.data()[i], 0) << i;

    test::write_file(tmp.file("empty.rscr"), std::vector<uint8_t>{});
    EXPECT_EQ(body("empty.rscr").length(), 8212u);
    EXPECT_TRUE(body("missing.rscr").empty());
}

TEST_F(ScrFiles, TextAndConversion) {
    test::write_file(tmp.file("stage_scr.txt"), std::string("BGPUT LAYER, 33, 40, 5, 2, 1, 0\r\n"));
    ConvertJob job = make_convert_job(tmp.file("stage_scr.txt").c_str(), false);
    ASSERT_EQ(job.kind, KIND_SCR);
    ASSERT_TRUE(convert_scr(job));
    auto p = test::read_ptc(tmp.file("stage_scr_SCR.ptc"));
    EXPECT_TRUE(p.valid);
    EXPECT_EQ(p.type_code, 4u);
    EXPECT_EQ(p.type_string, "PETC0100RSCR");
    EXPECT_EQ(p.name, "STAGE_SC");
    ASSERT_EQ(p.body.size(), 8192u);
    uint32_t at = 2 * scr_unit_index(33, 40);
    EXPECT_EQ(p.body[at] | p.body[at + 1] << 8, 0x2405);
    test::write_file(tmp.file("bad_scr.txt"), std::string("BGPUT 0,1\r\n"));
    EXPECT_FALSE(convert_scr(make_convert_job(tmp.file("bad_scr.txt").c_str(), false)));
    EXPECT_FALSE(test::file_exists(tmp.file("bad_scr_SCR.ptc")));
}

}  // namespace tw
