// Every resource the encoders make, taken apart and converted again under its
// own name, gives the same PTC file byte for byte.

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "batch/batch.h"
#include "settings/settings.h"
#include "support/bmp_writer.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;

namespace tw {

namespace {

class RoundTrip : public testing::Test {
  protected:
    void SetUp() override {
        test::reset_settings(tmp.path());
        g_settings.TextOut = 0;
        fs::create_directories(tmp.file("again"));
    }
    // Converts `source`, extracts `made`, copies the extracted `extracted` to
    // again/`as`, converts that and compares its `remade` with `made`.
    void check(const std::string& source, const std::string& made, const std::string& extracted,
               const std::string& as, const std::string& remade) {
        ASSERT_TRUE(convert_file(tmp.file(source).c_str())) << source;
        auto original = test::read_file(tmp.file(made));
        ASSERT_FALSE(original.empty()) << made;
        ASSERT_TRUE(convert_file(tmp.file(made).c_str())) << made;
        ASSERT_TRUE(test::file_exists(tmp.file(extracted))) << extracted;
        fs::remove(tmp.file("again/" + as));  // mingw's copy_file does not overwrite
        fs::copy_file(tmp.file(extracted), tmp.file("again/" + as));
        ASSERT_TRUE(convert_file(tmp.file("again/" + as).c_str())) << as;
        EXPECT_EQ(test::read_file(tmp.file("again/" + remade)), original)
            << source << " -> " << remade;
    }
    std::vector<uint8_t> random_bytes(size_t n, int modulo) {
        std::vector<uint8_t> v(n);
        for (auto& b : v) b = static_cast<uint8_t>(rng() % static_cast<unsigned>(modulo));
        return v;
    }
    test::TempDir tmp;
    std::mt19937 rng{12345};
};

}  // namespace

TEST_F(RoundTrip, ChrEveryUnitSizeBothImageShapes) {
    for (int wide : {1, 0}) {
        for (uint16_t type = 257; type <= 264; ++type) {
            static constexpr int32_t kUnits[][2] = {{8, 8},   {16, 16}, {32, 16}, {16, 32},
                                                    {32, 32}, {64, 32}, {32, 64}, {64, 64}};
            g_settings.Make_Wide = wide;
            g_runtime.resource_type = type;
            g_runtime.sprite_width = kUnits[type - 257][0];
            g_runtime.sprite_height = kUnits[type - 257][1];
            test::BmpFixture s;
            s.bits = 4;
            s.width = wide ? 256 : 128;
            s.height = wide ? 64 : 128;
            s.palette = test::ramp_palette(16);
            s.pixels = random_bytes(static_cast<size_t>(s.width * s.height), 16);
            test::write_bmp_file(tmp.file("pic.bmp"), s);
            SCOPED_TRACE("type " + std::to_string(type) + " wide " + std::to_string(wide));
            check("pic.bmp", "pic_CHR.ptc", "PTC_PIC/PIC_CHR.bmp", "pic.bmp", "pic_CHR.ptc");
        }
    }
}

TEST_F(RoundTrip, GrpAndCol) {
    test::BmpFixture s;
    s.width = 256;
    s.height = 192;
    s.palette.clear();
    for (size_t i = 0; i < 256; ++i) s.palette.push_back(static_cast<uint32_t>(rng() & 0xFFFFFF));
    s.pixels = random_bytes(256 * 192, 256);
    test::write_bmp_file(tmp.file("page.bmp"), s);
    g_runtime.resource_type = RESOURCE_GRP;
    check("page.bmp", "page_GRP.ptc", "PTC_PAGE/PAGE_GRP.bmp", "page.bmp", "page_GRP.ptc");
    // The palette comes back as a 16 x 16 image whose own palette is the COL body.
    g_runtime.resource_type = RESOURCE_BG;
    check("page.bmp", "page_COL.ptc", "PTC_PAGE/PAGE_COL.bmp", "page.bmp", "page_COL.ptc");
}

TEST_F(RoundTrip, ScreensThroughBothForms) {
    std::string text = "' random screen\r\n";
    for (int i = 0; i < 600; ++i) {
        char line[80];
        auto r = [&](unsigned n) { return static_cast<unsigned>(rng() % n); };
        std::snprintf(line, sizeof line, "BGPUT 0,%u,%u,%u,%u,%u,%u\r\n", r(64), r(64), r(1024),
                      r(16), r(2), r(2));
        text += line;
    }
    test::write_file(tmp.file("map_scr.txt"), text);
    check("map_scr.txt", "map_scr_SCR.ptc", "PTC_MAP_SCR/MAP_SCR_SCR_SCR.rscr", "map_scr.rscr",
          "map_scr_SCR.ptc");
    check("map_scr.txt", "map_scr_SCR.ptc", "PTC_MAP_SCR/MAP_SCR_SCR_SCR.txt", "map_scr.txt",
          "map_scr_SCR.ptc");
}

TEST_F(RoundTrip, MemWithAndWithoutEscapes) {
    // Without escapes every byte but the quote ending the string comes back as itself.
    std::string plain = "MEM$=\"";
    for (auto b : random_bytes(200, 256)) plain.push_back(static_cast<char>(b));
    plain += "\"\r\n";
    test::write_file(tmp.file("s_mem.txt"), plain);
    check("s_mem.txt", "s_mem_MEM.ptc", "PTC_S_MEM/S_MEM_MEM.txt", "s_mem.txt", "s_mem_MEM.ptc");

    g_settings.PRG_ESCAPE = 1;
    std::string escaped = "MEM$=\"";
    for (int c = 0; c < 256; ++c) {
        char e[8];
        std::snprintf(e, sizeof e, "\\%02X", c);
        escaped += e;
    }
    escaped += "\"\r\n";
    test::write_file(tmp.file("e_mem.txt"), escaped);
    check("e_mem.txt", "e_mem_MEM.ptc", "PTC_E_MEM/E_MEM_MEM.txt", "e_mem.txt", "e_mem_MEM.ptc");
}

TEST_F(RoundTrip, ProgramsRawAndEscaped) {
    test::write_file(
        tmp.file("game.txt"),
        std::string("CLS\r\nFOR I=0 TO 10\r\nPRINT \"\xB1\xB2\xB3\";I\r\nNEXT\r\nEND"));
    check("game.txt", "game_PRG.ptc", "PTC_GAME/GAME_PRG.txt", "game.txt", "game_PRG.ptc");
    g_settings.PRG_ESCAPE = 1;
    std::string prog = "PRINT \"";
    for (int c = 0; c < 256; ++c) {
        char e[8];
        std::snprintf(e, sizeof e, "\\%02X", c);
        prog += e;
        if (c % 40 == 39) prog += "\"\r\nPRINT \"";
    }
    prog += "\"\r\n";
    test::write_file(tmp.file("codes.txt"), prog);
    check("codes.txt", "codes_PRG.ptc", "PTC_CODES/CODES_PRG.txt", "codes.txt", "codes_PRG.ptc");
}

TEST_F(RoundTrip, BinaryDataAsAGraphicPage) {
    test::write_file(tmp.file("data.bin"), random_bytes(30000, 256));
    ASSERT_TRUE(convert_file(tmp.file("data.bin").c_str()));
    auto original = test::read_file(tmp.file("data_BIN.ptc"));
    ASSERT_TRUE(convert_file(tmp.file("data_BIN.ptc").c_str()));
    fs::copy_file(tmp.file("PTC_DATA/DATA_GRP.bmp"), tmp.file("again/data.bmp"));
    g_runtime.resource_type = RESOURCE_GRP;
    ASSERT_TRUE(convert_file(tmp.file("again/data.bmp").c_str()));
    EXPECT_EQ(test::read_file(tmp.file("again/data_GRP.ptc")), original);
}

}  // namespace tw
