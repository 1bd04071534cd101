#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "package/package_slots.h"
#include "settings/settings.h"
#include "support/bmp_writer.h"
#include "support/cli_run.h"
#include "support/image_fixtures.h"
#include "support/temp_dir.h"

namespace tw {

namespace {

using test::CmdRun;
using test::run;

class PackageCli : public testing::Test {
  protected:
    void SetUp() override {
        std::mt19937 rng(7);
        auto bmp = [&](const std::string& file, int32_t w, int32_t h, uint16_t bits) {
            test::BmpFixture s;
            s.width = w;
            s.height = h;
            s.bits = bits;
            s.palette = test::ramp_palette(size_t{1} << bits);
            for (int32_t i = 0; i < w * h; ++i)
                s.pixels.push_back(static_cast<uint8_t>(rng() % (1u << bits)));
            test::write_bmp_file(tmp.file(file), s);
        };
        bmp("chr.bmp", 256, 64, 4);
        bmp("page.bmp", 256, 192, 8);
        bmp("two.bmp", 256, 384, 8);
        bmp("odd.bmp", 100, 64, 8);
        test::write_file(tmp.file("prog.txt"), std::string("CLS\r\nPRINT \"HI\"\r\nEND\r\n"));
        test::write_file(tmp.file("m_mem.txt"), std::string("MEM$=\"SCORE 100\"\r\n"));
        std::string screen;
        for (int i = 0; i < 64; ++i)
            screen += "BGPUT 0," + std::to_string(i) + "," + std::to_string(63 - i) + "," +
                      std::to_string(i * 13) + "," + std::to_string(i % 16) + ",1,0\r\n";
        test::write_file(tmp.file("s_scr.txt"), screen);
    }
    test::TempDir tmp;
};

}  // namespace

TEST_F(PackageCli, WritesAPackageAndPrintsTheMessage) {
    CmdRun r = run(tmp.path(), cli::run_package,
                   {"package", "-o", "game.dat", "--name", "my-pack", "PRG=prog.txt",
                    "SPU0=chr.bmp:32x32", "GRP1=two.bmp@2", "SCR2=s_scr.txt", "COL0_S=page.bmp"});
    EXPECT_EQ(r.status, 0) << r.out << r.err;
    EXPECT_EQ(r.out, "変換終了\nPTCパッケージを作成しました\n");
    auto p = test::read_ptc(tmp.file("game.ptc"));
    EXPECT_TRUE(p.valid);
    EXPECT_EQ(p.name, "MY");
    ASSERT_GE(p.body.size(), 12u);
    auto u32 = [&](size_t at) {
        return p.body[at] | p.body[at + 1] << 8 | p.body[at + 2] << 16 |
               static_cast<uint32_t>(p.body[at + 3]) << 24;
    };
    EXPECT_EQ(u32(0), (1u << 0) | (1u << 3));   // lower COL0, lower SCU0
    EXPECT_EQ(u32(4), (1u << 0) | (1u << 19));  // SPU0, GRP1
}

// The forms of the options every command takes give the same package.
TEST_F(PackageCli, OptionForms) {
    const std::vector<std::vector<std::string>> forms = {
        {"package", "-o", "a.ptc", "--name", "GAME", "PRG=prog.txt"},
        {"package", "--output=b.ptc", "--name=GAME", "PRG=prog.txt"},
        {"package", "PRG=prog.txt", "--output", "c.ptc", "--name", "GAME", "--"},
        {"package", "--name=GAME", "-o", "d.ptc", "--", "PRG=prog.txt"},
    };
    for (const auto& args : forms) {
        CmdRun r = run(tmp.path(), cli::run_package, args);
        EXPECT_EQ(r.status, 0) << args[1] << r.out << r.err;
    }
    const auto a = test::read_ptc(tmp.file("a.ptc"));
    EXPECT_EQ(a.name, "GAME");
    for (const char* other : {"b.ptc", "c.ptc", "d.ptc"})
        EXPECT_EQ(test::read_ptc(tmp.file(other)).body, a.body) << other;
    // After "--" an option is a slot, and not one of the slot names.
    EXPECT_EQ(
        run(tmp.path(), cli::run_package, {"package", "-o", "e.ptc", "--", "--name=X"}).status, 2);
}

TEST_F(PackageCli, FailuresAndUsageErrors) {
    CmdRun r = run(tmp.path(), cli::run_package,
                   {"package", "-o", "x.ptc", "MEM=prog.txt", "BGU1=chr.bmp"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "Error\n以下のファイルの変換に失敗しました\n MEM\n");
    EXPECT_FALSE(test::file_exists(tmp.file("x.ptc")));
    r = run(tmp.path(), cli::run_package, {"package", "-o", "x.ptc", "GRP0=chr.bmp@5"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find("5枚目はありません"), std::string::npos);
    r = run(tmp.path(), cli::run_package,
            {"package", "-o", "x.ptc", "SPD0=odd.bmp"});  // 100 wide: no 32 x 32 fit
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find("この画像はこのリソースタイプに指定できません"), std::string::npos);
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"package", "PRG=prog.txt"},
             {"package", "-o", "x.ptc"},
             {"package", "-o", "x.ptc", "XYZ=prog.txt"},
             {"package", "-o", "x.ptc", "PRG=prog.txt", "prg=prog.txt"},
             {"package", "-o", "x.ptc", "BGU0=chr.bmp:16x16"},
             {"package", "-o", "x.ptc", "SPD0=chr.bmp:16x16"},
             {"package", "-o", "x.ptc", "MEM=m_mem.txt@2"},
             {"package", "-o", "x.ptc", "GRP0=page.bmp@0"},
             {"package", "--bogus"}}) {
        EXPECT_EQ(run(tmp.path(), cli::run_package, args).status, 2) << args.back();
    }
    EXPECT_FALSE(test::file_exists(tmp.file("x.ptc")));
}

TEST_F(PackageCli, EverySlotRoundTrip) {
    std::vector<std::string> args{"package", "-o", "full.ptc", "--name", "FULL"};
    for (size_t i = 0; i < kPackageSlotCount; ++i) {
        const PackageSlot& s = kPackageSlots[i];
        std::string file;
        switch (s.content) {
            case SLOT_PRG:
                file = "prog.txt";
                break;
            case SLOT_MEM:
                file = "m_mem.txt";
                break;
            case SLOT_SCR:
                file = "s_scr.txt";
                break;
            case SLOT_GRP:
                file = "two.bmp@2";
                break;
            case SLOT_COL:
                file = "page.bmp";
                break;
            default:
                file = "chr.bmp";
                break;
        }
        args.push_back(std::string(s.cli_name) + "=" + file);
    }
    CmdRun made = run(tmp.path(), cli::run_package, args);
    ASSERT_EQ(made.status, 0) << made.out << made.err;
    const auto original = test::read_file(tmp.file("full.ptc"));
    // Header, type string, masks and length, 19 text bytes padded to 20; 26 CHR and 4 SCR
    // records, 6 COL, 4 GRP and the MEM record.
    ASSERT_EQ(original.size(), 36u + 12 + 12 + 20 + 30 * (12 + 8192) + 6 * (12 + 512) +
                                   4 * (12 + 49152) + (12 + 516));

    ASSERT_EQ(run(tmp.path(), cli::run_convert, {"full.ptc"}).status, 0);
    std::vector<std::string> again{"package", "-o", "again.ptc", "--name", "FULL"};
    for (size_t i = 0; i < kPackageSlotCount; ++i) {
        const PackageSlot& s = kPackageSlots[i];
        std::string base = "PTC_FULL/FULL";
        std::string file;
        switch (s.content) {
            case SLOT_PRG:
                file = base + "_PRG.txt";
                break;
            case SLOT_MEM:
                file = base + "_MEM.txt";
                break;
            // One screen through its raw file, the others through their BGPUT text.
            case SLOT_SCR:
                file = base + "_" + s.cli_name + (i == 17 ? "_SCR.rscr" : "_SCR.txt");
                break;
            default:
                file = base + "_" + s.cli_name + ".bmp";
                break;
        }
        args.clear();
        again.push_back(std::string(s.cli_name) + "=" + file);
    }
    CmdRun rebuilt = run(tmp.path(), cli::run_package, again);
    ASSERT_EQ(rebuilt.status, 0) << rebuilt.out << rebuilt.err;
    EXPECT_EQ(test::read_file(tmp.file("again.ptc")), original);
}

}  // namespace tw
