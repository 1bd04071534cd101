#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "cli/cli_options.h"
#include "cli/commands.h"
#include "convert/resource_types.h"
#include "settings/settings.h"
#include "support/bmp_writer.h"
#include "support/cli_run.h"
#include "support/image_fixtures.h"
#include "support/temp_dir.h"

namespace tw {

namespace {

using CliRun = test::CmdRun;

// Runs the command line in `dir` as `tilewright args...`.
CliRun run_in(const std::string& dir, std::vector<std::string> args) {
    return test::run(dir, cli::run_convert, std::move(args));
}

class CliTest : public testing::Test {
  protected:
    void SetUp() override {
        test::BmpFixture s;
        s.width = 64;
        s.height = 64;
        s.palette = test::ramp_palette(256);
        test::write_bmp_file(tmp.file("pic.bmp"), s);
        s.bits = 1;
        s.palette = {0, 0xFFFFFF};
        s.pixels.assign(64 * 64, 1);
        test::write_bmp_file(tmp.file("mono.bmp"), s);
        test::write_file(tmp.file("blob.dat"), std::string("abc"));
    }
    test::TempDir tmp;
};

}  // namespace

TEST_F(CliTest, BatchWithOneFailure) {
    CliRun r = run_in(tmp.path(), {"pic.bmp", "nothing.bmp", "blob.dat"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find("変換成功: pic.bmp\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("変換失敗: nothing.bmp: ファイルを開けません"), std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("変換成功: blob.dat\n"), std::string::npos);
    EXPECT_NE(r.out.find("変換終了\n3個のファイルを変換しました\n変換成功：2個\n変換失敗：1個\n"),
              std::string::npos)
        << r.out;
    EXPECT_TRUE(test::file_exists(tmp.file("pic_CHR.ptc")));
}

TEST_F(CliTest, OneFileThatConverts) {
    CliRun r = run_in(tmp.path(), {"pic.bmp"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "変換終了\n1個のファイルを変換しました\n変換成功：1個\n変換失敗：0個\n");
}

TEST_F(CliTest, EveryResourceType) {
    const struct {
        const char* type;
        const char* output;
    } cases[] = {{"bg", "pic_CHR.ptc"},    {"16x16", "pic_CHR.ptc"}, {"32x16", "pic_CHR.ptc"},
                 {"16x32", "pic_CHR.ptc"}, {"32x32", "pic_CHR.ptc"}, {"64x32", "pic_CHR.ptc"},
                 {"32x64", "pic_CHR.ptc"}, {"64x64", "pic_CHR.ptc"}, {"GRP", "pic_GRP.ptc"},
                 {"bin", "pic_BIN.ptc"}};
    for (const auto& c : cases) {
        test::TempDir dir;
        std::filesystem::copy_file(tmp.file("pic.bmp"), dir.file("pic.bmp"));
        CliRun r = run_in(dir.path(), {"-t", c.type, "--set", "TextOut=0", "pic.bmp"});
        EXPECT_EQ(r.status, 0) << c.type << r.out;
        EXPECT_TRUE(test::read_ptc(dir.file(c.output)).valid) << c.type;
    }
    // 64 x 64 units decide the tile order: unit 1 starts at pixel (64, 0) only in 64 x 64.
    const ResourceType* choice = resource_type_by_name("32X64");
    ASSERT_TRUE(choice);
    EXPECT_EQ(choice->menu_id, 263);
    EXPECT_EQ(choice->unit_width, 32);
    EXPECT_EQ(choice->unit_height, 64);
}

TEST_F(CliTest, SettingsFromTheIniAndSet) {
    test::write_file(tmp.file("Brickyard.ini"), std::string("[Convert]\r\nTextOut=0\r\n"));
    EXPECT_EQ(run_in(tmp.path(), {"pic.bmp"}).status, 0);
    EXPECT_FALSE(test::file_exists(tmp.file("pic_CHR_DATA.txt")));
    EXPECT_EQ(run_in(tmp.path(), {"--set", "textout=1", "-s", "Create=1", "pic.bmp"}).status, 0);
    EXPECT_TRUE(test::file_exists(tmp.file("PTC/pic/pic_CHR_DATA.txt")));
    // Nothing was saved.
    auto ini = test::read_file(tmp.file("Brickyard.ini"));
    EXPECT_EQ(std::string(ini.begin(), ini.end()), "[Convert]\r\nTextOut=0\r\n");
}

TEST_F(CliTest, PaletteQuestion) {
    CliRun r = run_in(tmp.path(), {"--set", "TextOut=0", "--palette-fix", "yes", "mono.bmp"});
    EXPECT_EQ(r.status, 0);
    auto chr = test::read_ptc(tmp.file("mono_CHR.ptc"));
    ASSERT_FALSE(chr.body.empty());
    EXPECT_EQ(chr.body[0], 0xFF);  // pixels 15
    EXPECT_EQ(r.err, "");
    // No answer and no terminal: "no", with a note.
    r = run_in(tmp.path(), {"--set", "TextOut=0", "mono.bmp"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(test::read_ptc(tmp.file("mono_CHR.ptc")).body[0], 0x11);
    EXPECT_NE(r.err.find("パレット変換の確認"), std::string::npos);
}

TEST_F(CliTest, TextsBecomeProgramsStringsAndScreens) {
    test::write_file(tmp.file("game.txt"), std::string("PRINT \"HI\"\r\n"));
    test::write_file(tmp.file("save_mem.txt"), std::string("MEM$=\"ABC\"\r\n"));
    test::write_file(tmp.file("stage_scr.txt"), std::string("BGPUT LAYER, 1, 2, 3, 4, 0, 1\r\n"));
    test::write_file(tmp.file("map.rscr"), std::vector<uint8_t>(8192, 1));
    test::write_file(tmp.file("broken_scr.txt"), std::string("BGPUT 1,2\r\n"));
    CliRun r = run_in(tmp.path(),
                      {"game.txt", "save_mem.txt", "stage_scr.txt", "map.rscr", "broken_scr.txt"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find("変換失敗: broken_scr.txt: BGPUT テキストの 2 行目が読めません"),
              std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("変換成功：4個\n変換失敗：1個"), std::string::npos) << r.out;
    EXPECT_EQ(test::read_ptc(tmp.file("game_PRG.ptc")).type_code, 0u);
    EXPECT_EQ(test::read_ptc(tmp.file("save_mem_MEM.ptc")).type_code, 1u);
    EXPECT_EQ(test::read_ptc(tmp.file("stage_scr_SCR.ptc")).type_code, 4u);
    EXPECT_EQ(test::read_ptc(tmp.file("map_SCR.ptc")).type_code, 4u);
    // With the suffix options off, the texts are programs.
    r = run_in(tmp.path(),
               {"-s", "PRG_To_MEM=0", "-s", "PRG_To_SCR=0", "save_mem.txt", "broken_scr.txt"});
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(test::read_ptc(tmp.file("save_mem_PRG.ptc")).valid);
    EXPECT_TRUE(test::read_ptc(tmp.file("broken_scr_PRG.ptc")).valid);
}

TEST_F(CliTest, UsageErrors) {
    const std::vector<std::vector<std::string>> cases = {
        {},
        {"--bogus", "pic.bmp"},
        {"-t"},
        {"-t", "24x24", "pic.bmp"},
        {"--set", "NoSuchKey=1", "pic.bmp"},
        {"--set", "TextOut=abc", "pic.bmp"},
        {"--set", "TextOut", "pic.bmp"},
        {"--set", "TextOut=99999999999", "pic.bmp"},
        {"--palette-fix", "maybe", "pic.bmp"},
        {"-t", "bg"},
    };
    for (const auto& args : cases) {
        CliRun r = run_in(tmp.path(), args);
        EXPECT_EQ(r.status, 2) << (args.empty() ? "(none)" : args[0]);
        EXPECT_NE(r.err, "");
    }
    EXPECT_FALSE(test::file_exists(tmp.file("pic_CHR.ptc")));
    CliRun help = run_in(tmp.path(), {"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("--palette-fix"), std::string::npos);
    // The version, then the back ends this build hashes and reads pictures with.
    const std::string version = run_in(tmp.path(), {"--version"}).out;
    EXPECT_EQ(version.rfind("tilewright v2.00 r2 (MD5: ", 0), 0u) << version;
#ifdef _WIN32
    EXPECT_NE(version.find("CryptoAPI"), std::string::npos) << version;
    EXPECT_NE(version.find(", PNG: Windows Imaging Component)\n"), std::string::npos) << version;
#else
    EXPECT_NE(version.find("OpenSSL"), std::string::npos) << version;
    EXPECT_NE(version.find(", PNG: libspng 0."), std::string::npos) << version;
#endif
}

TEST(CliOptions, Integers) {
    EXPECT_EQ(cli::parse_int32("-1"), -1);
    EXPECT_EQ(cli::parse_int32("2147483647"), 2147483647);
    EXPECT_EQ(cli::parse_int32("-2147483648"), INT32_MIN);
    EXPECT_FALSE(cli::parse_int32("2147483648"));
    EXPECT_FALSE(cli::parse_int32(""));
    EXPECT_FALSE(cli::parse_int32("-"));
    EXPECT_FALSE(cli::parse_int32("1x"));
}

}  // namespace tw
