#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/commands.h"
#include "support/cli_run.h"
#include "support/ptc_builder.h"
#include "support/temp_dir.h"

namespace tw {

namespace {

test::CmdRun info(std::vector<std::string> args) {
    args.insert(args.begin(), "info");
    return test::run(".", cli::run_info, std::move(args));
}

}  // namespace

TEST(InfoCommand, PackageFlagsAndRecordNames) {
    test::TempDir tmp;
    auto file = test::make_ptc("GAME", 0,
                               {{"PRG", test::prg_body(0, (1u << 0) | (1u << 13), "END"), ""},
                                {"CHR", std::vector<uint8_t>(8192), ""},
                                {"COL", std::vector<uint8_t>(512), ""},
                                {"SCR", std::vector<uint8_t>(8192), ""}});
    test::write_file(tmp.file("game.ptc"), file);
    test::CmdRun r = info({tmp.file("game.ptc")});
    EXPECT_EQ(r.status, 0) << r.out;
    for (const char* want :
         {"マジック: PX01", "ファイルサイズと一致", "種類コード: 0", "リソース名: GAME",
          "タイプ: PETC0300RPRG", "MD5: 一致", "package_mask_2=0x00002001", "GAME_PRG.txt",
          "GAME_SPU0.bmp", "GAME_COL0.bmp", "GAME_SCR_SCR.rscr, GAME_SCR_SCR.txt", "判定: 正常"})
        EXPECT_NE(r.out.find(want), std::string::npos) << want << "\n" << r.out;
}

// Published programs whose text is not padded to a multiple of 4 are well formed.
TEST(InfoCommand, UnpaddedProgramIsWellFormed) {
    test::TempDir tmp;
    test::write_file(
        tmp.file("p.ptc"),
        test::make_ptc("P", 0,
                       {{"PRG", test::prg_body(0, 0, std::string(12889, 'A'), false), ""}}));
    test::CmdRun r = info({tmp.file("p.ptc")});
    EXPECT_EQ(r.status, 0) << r.out;
}

TEST(InfoCommand, BrokenFiles) {
    test::TempDir tmp;
    auto good = test::make_ptc("X", 5, {{"COL", std::vector<uint8_t>(512), ""}});
    auto bad_digest = good;
    bad_digest[100] ^= 1;
    auto bad_length = good;
    bad_length.push_back(0);
    test::write_file(tmp.file("good.ptc"), good);
    test::write_file(tmp.file("digest.ptc"), bad_digest);
    test::write_file(tmp.file("length.ptc"), bad_length);
    test::write_file(tmp.file("short.ptc"), std::string("PX01"));
    EXPECT_EQ(info({tmp.file("good.ptc")}).status, 0);
    test::CmdRun d = info({tmp.file("digest.ptc")});
    EXPECT_EQ(d.status, 1);
    EXPECT_NE(d.out.find("MD5: 一致しません"), std::string::npos);
    test::CmdRun l = info({tmp.file("good.ptc"), tmp.file("length.ptc")});
    EXPECT_EQ(l.status, 1);
    EXPECT_NE(l.out.find("ファイルサイズと一致しません"), std::string::npos);
    EXPECT_NE(l.out.find("レコードの始まりの R が見つかりません"), std::string::npos);
    EXPECT_EQ(info({tmp.file("short.ptc")}).status, 1);
    EXPECT_EQ(info({tmp.file("none.ptc")}).status, 1);
    EXPECT_EQ(info({}).status, 2);
}

}  // namespace tw
