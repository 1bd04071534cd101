#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "picture/bmp_image.h"
#include "picture/png_image.h"
#include "support/bmp_writer.h"
#include "support/cli_run.h"
#include "support/png_writer.h"
#include "support/temp_dir.h"

namespace tw {
namespace {

using test::run;

class MapCli : public testing::Test {
  protected:
    void SetUp() override {
        test::reset_settings(tmp.path());
        // 320 x 64, 8 bits: 300-odd tiles in two palettes, so two character banks.
        std::mt19937 rng(5);
        test::BmpFixture bmp;
        bmp.width = 320;
        bmp.height = 64;
        bmp.palette = test::ramp_palette(256);
        for (int32_t i = 0; i < 320 * 64; ++i) {
            const int32_t cell = (i / 320 / 8) * 40 + i % 320 / 8;
            const uint8_t colour = static_cast<uint8_t>(rng() % 16);
            bmp.pixels.push_back(static_cast<uint8_t>(colour | (cell % 2 ? 0x30 : 0x10)));
        }
        test::write_bmp_file(tmp.file("lvl.bmp"), bmp);
        test::PngFixture png;
        png.width = 320;
        png.height = 64;
        png.pixels = bmp.pixels;
        png.palette = bmp.palette;
        test::write_file(tmp.file("lvl.png"), test::make_png(png));
    }
    test::TempDir tmp;
};

TEST_F(MapCli, BmpAndPngGiveTheSameFilesAndThePackageRendersAsTheMap) {
    auto a = run(tmp.path(), cli::run_map, {"map", "-o", "from_bmp", "lvl.bmp"});
    auto b = run(tmp.path(), cli::run_map, {"map", "--output=from_png", "lvl.png"});
    ASSERT_EQ(a.status, 0) << a.out;
    ASSERT_EQ(b.status, 0) << b.out;
    EXPECT_NE(a.out.find("タイル 321個"), std::string::npos) << a.out;
    EXPECT_NE(a.out.find("パレット 1,3"), std::string::npos) << a.out;
    for (const char* f : {"lvl_COL.ptc", "lvl_CHR0.ptc", "lvl_CHR1.ptc", "lvl_SCR.ptc"})
        EXPECT_EQ(test::read_file(tmp.file(std::string("from_bmp/") + f)),
                  test::read_file(tmp.file(std::string("from_png/") + f)))
            << f;

    auto files = run(tmp.path(), cli::run_render,
                     {"render", "-o", "files.bmp", "from_bmp/lvl_SCR.ptc", "from_bmp/lvl_CHR0.ptc",
                      "from_bmp/lvl_CHR1.ptc", "from_bmp/lvl_COL.ptc"});
    ASSERT_EQ(files.status, 0) << files.out;
    auto pkg =
        run(tmp.path(), cli::run_package,
            {"package", "-o", "lvl.ptc", "BGU0=from_bmp/lvl_CHR0.ptc", "BGU1=from_bmp/lvl_CHR1.ptc",
             "SCR0=from_bmp/lvl_SCR.ptc", "COL0=from_bmp/lvl_COL.ptc"});
    ASSERT_EQ(pkg.status, 0) << pkg.out;
    auto packaged = run(tmp.path(), cli::run_render, {"render", "-o", "pkg.bmp", "lvl.ptc"});
    ASSERT_EQ(packaged.status, 0) << packaged.out;
    EXPECT_EQ(test::read_file(tmp.file("files.bmp")), test::read_file(tmp.file("pkg.bmp")));

    // The picture back: the indices of the source, as an 8-bit BMP and as a PNG.
    auto png = run(tmp.path(), cli::run_render,
                   {"render", "-o", "part.png", "--crop", "0,0,320,64", "lvl.ptc"});
    ASSERT_EQ(png.status, 0) << png.out;
    BmpImage source = read_picture(tmp.file("lvl.bmp").c_str(), 1, 1, 0xFF);
    BmpImage drawn = read_picture(tmp.file("part.png").c_str(), 1, 1, 0xFF);
    ASSERT_EQ(drawn.pixel_count, source.pixel_count);
    for (uint32_t i = 0; i < source.pixel_count; ++i) {
        const uint8_t p = source.pixels[i];
        ASSERT_EQ(drawn.pixels[i], (p & 15) ? p : 0) << i;
    }
    // Missing bank 1 fails and writes nothing.
    auto missing = run(tmp.path(), cli::run_render,
                       {"render", "-o", "none.png", "from_bmp/lvl_SCR.ptc", "from_bmp/lvl_CHR0.ptc",
                        "from_bmp/lvl_COL.ptc"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.out.find("バンク 1 がありません"), std::string::npos) << missing.out;
    EXPECT_FALSE(test::file_exists(tmp.file("none.png")));
}

TEST_F(MapCli, PackageSlotsTakePngImagesAndRefusePtcFilesOfAnotherKind) {
    ASSERT_EQ(run(tmp.path(), cli::run_map, {"map", "lvl.bmp"}).status, 0);
    auto from_bmp = run(tmp.path(), cli::run_package,
                        {"package", "-o", "a.ptc", "BGU0=lvl.bmp@2", "COL0=lvl.bmp"});
    auto from_png = run(tmp.path(), cli::run_package,
                        {"package", "-o", "b.ptc", "BGU0=lvl.png@2", "COL0=lvl.png"});
    ASSERT_EQ(from_bmp.status, 0) << from_bmp.out;
    ASSERT_EQ(from_png.status, 0) << from_png.out;
    EXPECT_EQ(test::read_file(tmp.file("a.ptc")), test::read_file(tmp.file("b.ptc")));

    auto wrong = run(tmp.path(), cli::run_package,
                     {"package", "-o", "c.ptc", "BGU0=lvl_COL.ptc", "SCR1=lvl_SCR.ptc"});
    EXPECT_EQ(wrong.status, 1);
    EXPECT_NE(wrong.out.find("以下のファイルの変換に失敗しました\n BGU0\n"), std::string::npos)
        << wrong.out;
    EXPECT_EQ(wrong.out.find("SCU1"), std::string::npos) << wrong.out;
    EXPECT_FALSE(test::file_exists(tmp.file("c.ptc")));
}

TEST_F(MapCli, UsageErrors) {
    const std::vector<std::vector<std::string>> cases = {
        {"map"},
        {"map", "--bogus", "lvl.bmp"},
        {"map", "-o"},
        {"render", "lvl_SCR.ptc"},
        {"render", "-o", "x.gif", "lvl_SCR.ptc"},
        {"render", "-o", "x.png", "--crop", "0,0,0,8", "lvl_SCR.ptc"},
        {"render", "-o", "x.png", "--crop", "500,0,16,8", "lvl_SCR.ptc"},
        {"render", "-o", "x.png", "--screen", "SCR4", "lvl_SCR.ptc"},
        {"render", "-o", "x.png"},
        {"info", "--bogus", "lvl_SCR.ptc"},
        {"info"},
    };
    for (const auto& args : cases) {
        auto command = args[0] == "map"    ? cli::run_map
                       : args[0] == "info" ? cli::run_info
                                           : cli::run_render;
        auto r = run(tmp.path(), command, args);
        EXPECT_EQ(r.status, 2) << args.back() << r.err;
        EXPECT_NE(r.err.find("--help"), std::string::npos) << r.err;
    }
}

}  // namespace
}  // namespace tw
