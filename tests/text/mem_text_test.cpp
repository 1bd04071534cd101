#include "text/mem_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "settings/settings.h"
#include "support/image_fixtures.h"
#include "support/temp_dir.h"

namespace tw {

namespace {

struct Mem {
    bool ok;
    std::vector<uint16_t> units;  // the first `count` units
    uint32_t count;
    bool rest_zero;
};

Mem mem_of(const std::string& text) {
    ResourceBuffer b =
        mem_body_from_bytes(reinterpret_cast<const uint8_t*>(text.data()), text.size());
    if (b.empty()) return {false, {}, 0, false};
    EXPECT_EQ(b.length(), 536u);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(b.data()), 20), "PETITCOMPETC0200RMEM");
    const uint8_t* d = b.data();
    uint32_t count = d[532] | d[533] << 8 | d[534] << 16 | static_cast<uint32_t>(d[535]) << 24;
    Mem m{true, {}, count, true};
    for (uint32_t k = 0; k < 256; ++k) {
        uint16_t u = static_cast<uint16_t>(d[20 + 2 * k] | d[21 + 2 * k] << 8);
        if (k < count)
            m.units.push_back(u);
        else if (u != 0)
            m.rest_zero = false;
    }
    return m;
}

class MemTest : public testing::Test {
  protected:
    void SetUp() override { test::reset_settings(tmp.path()); }
    test::TempDir tmp;
};

}  // namespace

TEST_F(MemTest, Abc) {
    Mem m = mem_of("MEM$=\"ABC\"\r\n");
    ASSERT_TRUE(m.ok);
    EXPECT_EQ(m.count, 3u);
    EXPECT_EQ(m.units, (std::vector<uint16_t>{0xFF21, 0xFF22, 0xFF23}));
    EXPECT_TRUE(m.rest_zero);
}

TEST_F(MemTest, MarkerForms) {
    const struct {
        const char* text;
        bool found;
    } cases[] = {
        {"10 'comment\r\nMEM$=\"A\"\r\n", true},
        {"MEM$ \t =\t \"A\"", true},
        {"MEM $=\"A\"", false},
        {"mem$=\"A\"", false},
        {"MEM$=A\"", false},
        {"MMEM$=\"A\"", false},  // the second M broke the first match and is not looked at again
        {"MMEM$=\"A\" MEM$=\"B\"", true},
        {"xMEM$=\"A\"", true},
        {"MEM$=\"", false},     // the marker ends the file
        {"MEM$=\"ABC", false},  // no closing double quote
        {"", false},
    };
    for (const auto& c : cases) EXPECT_EQ(mem_of(c.text).ok, c.found) << c.text;
    EXPECT_EQ(mem_of("MMEM$=\"A\" MEM$=\"B\"").units,
              (std::vector<uint16_t>{0xFF22}));  // the string ends at the last quote
}

TEST_F(MemTest, StringContents) {
    EXPECT_EQ(mem_of("MEM$=\"\"\r\n").count, 0u);
    EXPECT_EQ(mem_of("MEM$=\"A\"B\"\r\n").units, (std::vector<uint16_t>{0xFF21, 0x201D, 0xFF22}));
    EXPECT_EQ(mem_of("MEM$=\"\xB1\xB0\"").units, (std::vector<uint16_t>{0x30A2, 0xFF70}));
    EXPECT_EQ(mem_of("MEM$=\"\x82\xA0\"").units, (std::vector<uint16_t>{0x0082, 0x00A0}));
    Mem longer = mem_of("MEM$=\"" + std::string(300, 'Z') + "\"");
    EXPECT_EQ(longer.count, 256u);
    EXPECT_EQ(longer.units.back(), 0xFF3A);
}

TEST_F(MemTest, Escapes) {
    g_settings.PRG_ESCAPE = 1;
    EXPECT_EQ(mem_of("MEM$=\"\\E0\"").units, (std::vector<uint16_t>{0x00E0}));
    // Escapes far into a long string still decode as a whole.
    std::string s;
    for (int i = 0; i < 300; ++i) s += "\\41";
    Mem m = mem_of("MEM$=\"" + s + "\"");
    EXPECT_EQ(m.count, 256u);
    EXPECT_EQ(m.units[255], 0xFF21);
    g_settings.PRG_ESCAPE = 0;
    EXPECT_EQ(mem_of("MEM$=\"\\E0\"").units, (std::vector<uint16_t>{0xFFE5, 0xFF25, 0xFF10}));
}

TEST_F(MemTest, FileOutput) {
    test::write_file(tmp.file("save_mem.txt"), std::string("MEM$=\"HI\"\r\n"));
    ConvertJob job = make_convert_job(tmp.file("save_mem.txt").c_str(), false);
    ASSERT_EQ(job.kind, KIND_MEM);
    ASSERT_TRUE(convert_mem(job));
    auto p = test::read_ptc(tmp.file("save_mem_MEM.ptc"));
    EXPECT_TRUE(p.valid);
    EXPECT_EQ(p.type_code, 1u);
    EXPECT_EQ(p.name, "SAVE_MEM");
    EXPECT_EQ(test::read_file(tmp.file("save_mem_MEM.ptc")).size(), 564u);
    test::write_file(tmp.file("bad_mem.txt"), std::string("no marker"));
    EXPECT_FALSE(convert_mem(make_convert_job(tmp.file("bad_mem.txt").c_str(), false)));
    EXPECT_FALSE(test::file_exists(tmp.file("bad_mem_MEM.ptc")));
}

}  // namespace tw
