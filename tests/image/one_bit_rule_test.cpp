#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/commands.h"
#include "support/bmp_writer.h"
#include "support/cli_run.h"
#include "support/png_writer.h"
#include "support/temp_dir.h"

namespace tw {
namespace {

// A two-colour picture gives the same files from a 1-bit BMP and a 1-bit PNG,
// whichever way the question is answered, and the answer changes them.
TEST(OneBitRule, BmpAndPngOfOnePictureGiveTheSameFilesWithEitherAnswer) {
    test::TempDir tmp;
    test::reset_settings(tmp.path());
    test::BmpFixture bmp;
    bmp.width = 24;
    bmp.height = 16;
    bmp.bits = 1;
    bmp.palette = {0x102030, 0xF0E0D0};
    for (int i = 0; i < 24 * 16; ++i)
        bmp.pixels.push_back(static_cast<uint8_t>((i * 7 / 5) % 3 == 0));
    test::write_bmp_file(tmp.file("pic.bmp"), bmp);
    test::PngFixture png;
    png.width = 24;
    png.height = 16;
    png.depth = 1;
    png.pixels = bmp.pixels;
    png.palette = bmp.palette;
    test::write_file(tmp.file("pic.png"), test::make_png(png));

    std::vector<uint8_t> chr_by_answer[2];
    for (const char* answer : {"yes", "no"}) {
        const std::string a = std::string("bmp_") + answer, b = std::string("png_") + answer;
        auto from_bmp = test::run(tmp.path(), cli::run_map,
                                  {"map", "--palette-fix", answer, "-o", a, "pic.bmp"});
        auto from_png = test::run(tmp.path(), cli::run_map,
                                  {"map", "--palette-fix", answer, "-o", b, "pic.png"});
        ASSERT_EQ(from_bmp.status, 0) << from_bmp.out;
        ASSERT_EQ(from_png.status, 0) << from_png.out;
        for (const char* f : {"/pic_COL.ptc", "/pic_CHR.ptc", "/pic_SCR.ptc"})
            EXPECT_EQ(test::read_file(tmp.file(a + f)), test::read_file(tmp.file(b + f)))
                << answer << f;
        chr_by_answer[answer[0] == 'y'] = test::read_file(tmp.file(a + "/pic_CHR.ptc"));
    }
    EXPECT_NE(chr_by_answer[0], chr_by_answer[1]);
}

}  // namespace
}  // namespace tw
