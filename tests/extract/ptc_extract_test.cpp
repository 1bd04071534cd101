#include "extract/ptc_extract.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "common/failure.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "resources/texts.h"
#include "settings/settings.h"
#include "support/ptc_builder.h"
#include "support/temp_dir.h"

namespace tw {
using test::RecordSpec;

namespace {

std::vector<uint8_t> filled(size_t n, uint8_t v = 0) {
    return std::vector<uint8_t>(n, v);
}

class ExtractTest : public testing::Test {
  protected:
    void SetUp() override { test::reset_settings(tmp.path()); }
    bool extract(const std::string& file, const std::vector<uint8_t>& bytes) {
        test::write_file(tmp.file(file), bytes);
        return extract_ptc(make_convert_job(tmp.file(file).c_str(), false));
    }
    std::vector<std::string> listing(const std::string& folder) {
        std::vector<std::string> names;
        for (const auto& e : std::filesystem::directory_iterator(tmp.file(folder)))
            names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    test::TempDir tmp;
};

}  // namespace

TEST_F(ExtractTest, SingleResourcesGetPlainNames) {
    const struct {
        std::string tag;
        size_t body;
        std::vector<std::string> files;
    } cases[] = {
        {"CHR", 8192, {"SPRITE_CHR.bmp"}},
        {"COL", 512, {"SPRITE_COL.bmp"}},
        {"GRP", 49152, {"SPRITE_GRP.bmp"}},
        {"SCR", 8192, {"SPRITE_SCR_SCR.rscr", "SPRITE_SCR_SCR.txt"}},
        {"MEM", 516, {"SPRITE_MEM.txt"}},
    };
    for (const auto& c : cases) {
        test::TempDir dir;
        test::reset_settings(dir.path());
        test::write_file(dir.file("s.ptc"),
                         test::make_ptc("SPRITE", 0, {{c.tag, filled(c.body), ""}}));
        ConvertJob job = make_convert_job(dir.file("s.ptc").c_str(), false);
        ASSERT_TRUE(extract_ptc(job)) << c.tag;
        std::vector<std::string> names;
        for (const auto& e : std::filesystem::directory_iterator(dir.file("PTC_SPRITE")))
            names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        EXPECT_EQ(names, c.files) << c.tag;
    }
}

TEST_F(ExtractTest, PackageFlagsNameTheRecordsInTableOrder) {
    auto file =
        test::make_ptc("GAME", 0,
                       {{"PRG", test::prg_body(0, (1u << 0) | (1u << 8) | (1u << 13), "END"), ""},
                        {"CHR", filled(8192), ""},
                        {"CHR", filled(8192), ""},
                        {"COL", filled(512), ""}});
    ASSERT_TRUE(extract("game.ptc", file));
    EXPECT_EQ(listing("PTC_GAME"), (std::vector<std::string>{"GAME_BGU0.bmp", "GAME_COL0.bmp",
                                                             "GAME_PRG.txt", "GAME_SPU0.bmp"}));
}

TEST_F(ExtractTest, ThreeChrsOneFlag) {
    std::vector<uint8_t> second = filled(8192, 0x22), third = filled(8192, 0x33);
    auto file = test::make_ptc("P", 0,
                               {{"PRG", test::prg_body(0, 1, ""), ""},
                                {"CHR", filled(8192, 0x11), ""},
                                {"CHR", second, ""},
                                {"CHR", third, ""}});
    ASSERT_TRUE(extract("p.ptc", file));
    EXPECT_EQ(listing("PTC_P"), (std::vector<std::string>{"P_CHR.bmp", "P_PRG.txt", "P_SPU0.bmp"}));
    auto bmp = test::read_file(tmp.file("PTC_P/P_CHR.bmp"));
    ASSERT_EQ(bmp.size(), 17462u);
    EXPECT_EQ(bmp[1078], 3);  // the third record overwrote the second
}

TEST_F(ExtractTest, SecondaryFlags) {
    // m1 bits 0-12 and m2 bits 13-31: every name of the table, in table order.
    const uint32_t m1 = 0x1FFF, m2 = 0xFFFFFFFF & ~(1u << 22);
    std::vector<RecordSpec> recs{{"PRG", test::prg_body(m1, m2, "A"), ""}};
    for (int i = 0; i < 30; ++i) recs.push_back({"CHR", filled(8192), ""});
    for (int i = 0; i < 6; ++i) recs.push_back({"COL", filled(512), ""});
    for (int i = 0; i < 4; ++i) recs.push_back({"SCR", filled(8192), ""});
    for (int i = 0; i < 4; ++i) recs.push_back({"GRP", filled(49152), ""});
    recs.push_back({"MEM", filled(516), ""});
    recs.push_back({"CHR", filled(8192), ""});
    ASSERT_TRUE(extract("all.ptc", test::make_ptc("ALL", 0, recs)));
    auto names = listing("PTC_ALL");
    for (const char* n :
         {"ALL_SPU7.bmp", "ALL_BGF0.bmp", "ALL_SPD3.bmp", "ALL_BGS3.bmp", "ALL_BGF1.bmp",
          "ALL_SPS_NO_USE0.bmp", "ALL_BGD_NO_USE1.bmp", "ALL_SPS1.bmp", "ALL_BGD1.bmp",
          "ALL_COL2.bmp", "ALL_COL0_S.bmp", "ALL_COL2_S.bmp", "ALL_SCR1_SCR.txt",
          "ALL_SCR3_SCR.rscr", "ALL_GRP3.bmp", "ALL_MEM.txt", "ALL_CHR.bmp"})
        EXPECT_NE(std::find(names.begin(), names.end(), n), names.end()) << n;
    EXPECT_EQ(names.size(), 30u + 6 + 8 + 4 + 1 + 1 + 1);
}

TEST_F(ExtractTest, NamesFromTheHeader) {
    ASSERT_TRUE(
        extract("a.ptc", test::make_ptc("ABCDEFGH", 0, {{"PRG", test::prg_body(0, 0, "X"), ""}})));
    EXPECT_TRUE(test::file_exists(tmp.file("PTC_ABCDEFGH/ABCDEFGH_PRG.txt")));
    ASSERT_TRUE(extract("b.ptc", test::make_ptc("", 0, {{"PRG", test::prg_body(0, 0, "X"), ""}})));
    EXPECT_TRUE(test::file_exists(tmp.file("PTC_/_PRG.txt")));
    // A name with a separator would leave the output folder: refused, nothing made.
    for (const char* bad : {"/../../x", "a\\b", "..\\evil"}) {
        EXPECT_FALSE(
            extract("c.ptc", test::make_ptc(bad, 0, {{"PRG", test::prg_body(0, 0, "X"), ""}})))
            << bad;
    }
    EXPECT_EQ(listing(".").size(), 5u);  // a.ptc, b.ptc, c.ptc and the two folders
}

TEST_F(ExtractTest, EndsPaddingAndStrayBytes) {
    // A program whose text ends the file without padding is complete.
    ASSERT_TRUE(extract(
        "a.ptc", test::make_ptc("A", 0, {{"PRG", test::prg_body(0, 0, "ABCDE", false), ""}})));
    auto text = test::read_file(tmp.file("PTC_A/A_PRG.txt"));
    EXPECT_EQ(std::string(text.begin(), text.end()), "ABCDE");
    // Three stray bytes after the last record: false, the resource is still written.
    auto file = test::make_ptc("B", 0, {{"COL", filled(512), ""}});
    file.insert(file.end(), {1, 2, 3});
    EXPECT_FALSE(extract("b.ptc", file));
    EXPECT_TRUE(test::file_exists(tmp.file("PTC_B/B_COL.bmp")));
    // Junk between the prefix and the "R" is skipped.
    ASSERT_TRUE(extract("c.ptc", test::make_ptc("C", 0,
                                                {{"PRG", test::prg_body(0, 1u << 13, "Z"), "xyz"},
                                                 {"COL", filled(512), "junk!"}})));
    EXPECT_TRUE(test::file_exists(tmp.file("PTC_C/C_COL0.bmp")));
}

TEST_F(ExtractTest, BrokenFiles) {
    // A short text file: the folder (named after bytes 12-19) is made, then no "R".
    EXPECT_FALSE(extract(
        "t.ptc",
        std::vector<uint8_t>{'h', 'e', 'l', 'l', 'o', ' ', 'w', 'o', 'r', 'l', 'd', ' ', 'n',
                             'a', 'm', 'e', 's', '!', '!', '!', ' ', 't', 'e', 'x', 't', ' ',
                             'f', 'i', 'l', 'e', ' ', 'w', 'i', 't', 'h', 'o', 'u', 't', ' ',
                             'a', 'n', 'y', ' ', 'e', 'r', 'r', 'o', 'r', 's', '.'}));
    EXPECT_EQ(last_failure_reason(), &kReasonPtcRecord);
    EXPECT_TRUE(is_directory(tmp.file("PTC_names!!!").c_str()));
    // 36 bytes or less: the folder and nothing else, true.
    EXPECT_TRUE(extract("s.ptc", std::vector<uint8_t>(30, 0x41)));
    EXPECT_TRUE(is_directory(tmp.file("PTC_AAAAAAAA").c_str()));
    // Unknown tag, cut tag, truncated body, huge text length.
    auto unknown = test::make_ptc("U", 0, {{"XYZ", filled(100), ""}});
    EXPECT_FALSE(extract("u.ptc", unknown));
    EXPECT_EQ(last_failure_reason(), &kReasonPtcRecord);
    auto cut = test::make_ptc("V", 0, {{"COL", filled(512), ""}});
    cut.resize(46);
    EXPECT_FALSE(extract("v.ptc", cut));
    EXPECT_EQ(last_failure_reason(), &kReasonPtcRecord);
    auto truncated = test::make_ptc("W", 0, {{"CHR", filled(8192), ""}});
    truncated.resize(truncated.size() - 1);
    EXPECT_FALSE(extract("w.ptc", truncated));
    EXPECT_EQ(last_failure_reason(), &kReasonPtcTruncated);
    EXPECT_TRUE(listing("PTC_W").empty());
    auto huge = test::make_ptc("H", 0, {{"PRG", test::prg_body(0, 0, "AB"), ""}});
    huge[56] = huge[57] = huge[58] = huge[59] = 0xFF;  // text_length 0xFFFFFFFF
    EXPECT_FALSE(extract("h.ptc", huge));
    EXPECT_EQ(last_failure_reason(), &kReasonPtcTruncated);
    EXPECT_TRUE(listing("PTC_H").empty());
    EXPECT_FALSE(extract_ptc(make_convert_job(tmp.file("missing.ptc").c_str(), false)));
    EXPECT_EQ(last_failure_reason(), &kReasonOpenInput);
}

TEST_F(ExtractTest, RepeatAndFolderCreation) {
    auto file = test::make_ptc("R", 0, {{"PRG", test::prg_body(0, 0, "NEW"), ""}});
    ASSERT_TRUE(make_directory(tmp.file("PTC_R").c_str()));
    test::write_file(tmp.file("PTC_R/R_PRG.txt"), std::string("MUCH LONGER OLD TEXT"));
    ASSERT_TRUE(extract("r.ptc", file));
    auto text = test::read_file(tmp.file("PTC_R/R_PRG.txt"));
    EXPECT_EQ(std::string(text.begin(), text.end()), "NEW");
    // With Create the job's out_dir is the PTC/ folder; extraction makes its own folder in it.
    g_settings.Create = 1;
    ConvertJob job = make_convert_job(tmp.file("r.ptc").c_str(), true);
    ASSERT_TRUE(extract_ptc(job));
    EXPECT_TRUE(test::file_exists(tmp.file("PTC/PTC_R/R_PRG.txt")));
}

TEST_F(ExtractTest, FailedWriteStopsTheWalk) {
    auto file = test::make_ptc("F", 0, {{"COL", filled(512), ""}, {"COL", filled(512), ""}});
    test::write_file(tmp.file("f.ptc"), file);
    ASSERT_TRUE(make_directory(tmp.file("PTC_F").c_str()));
    ASSERT_TRUE(make_directory(tmp.file("PTC_F/F_COL.bmp").c_str()));  // in the way
    EXPECT_FALSE(extract_ptc(make_convert_job(tmp.file("f.ptc").c_str(), false)));
    EXPECT_EQ(last_failure_reason(), &kReasonWriteOutput);
    set_write_fault_budget(100);
    EXPECT_FALSE(extract("g.ptc", test::make_ptc("G", 0, {{"GRP", filled(49152), ""}})));
    set_write_fault_budget(-1);
    EXPECT_FALSE(test::file_exists(tmp.file("PTC_G/G_GRP.bmp")));
}

}  // namespace tw

namespace tw {

// A name Windows would take for another is refused there with nothing written,
// before any folder is made; elsewhere such names are written as they are.
// Plain names extract everywhere, and so does ソ on Windows, whose second byte
// is '\' (elsewhere that byte is a lone backslash, refused as a separator).
TEST(ExtractNames, NamesWindowsWouldMisdirectAreRefusedThere) {
#ifdef _WIN32
    const bool windows = true;
#else
    const bool windows = false;
#endif
    const struct {
        std::string name;
        bool refused_on_windows;
        bool refused_elsewhere;
    } cases[] = {
        {"HERO", false, false}, {"\x83\x5C", false, true}, {"..", true, false},
        {"AB.", true, false},   {"AB ", true, false},      {"A:B", true, false},
        {"A\x01", true, false}, {"A?B", true, false},      {"AB\x83", true, false},
        {"A\xFD", true, false},
    };
    for (const auto& c : cases) {
        test::TempDir dir;
        test::reset_settings(dir.path());
        test::write_file(dir.file("in.ptc"),
                         test::make_ptc(c.name, 0, {{"COL", std::vector<uint8_t>(512, 7), ""}}));
        const bool refuse = windows ? c.refused_on_windows : c.refused_elsewhere;
        clear_failure();
        EXPECT_EQ(extract_ptc(make_convert_job(dir.file("in.ptc").c_str(), false)), !refuse)
            << shown_name(c.name);
        size_t entries = 0;
        for (const auto& e : std::filesystem::directory_iterator(dir.path())) {
            (void)e;
            ++entries;
        }
        EXPECT_EQ(entries, refuse ? 1u : 2u) << shown_name(c.name);  // in.ptc, PTC_<name>/
        if (refuse) {
            EXPECT_EQ(last_failure_reason(), windows ? &kReasonPtcNameOnWindows : &kReasonPtcName)
                << shown_name(c.name);
        }
        if (refuse && windows) {
            EXPECT_NE(std::string(last_failure()).find(shown_name(c.name)), std::string::npos);
        } else if (!refuse) {
            // Through the program's own file service: it reads names in the ANSI code page.
            const std::string out = dir.path() + "/PTC_" + c.name + "/" + c.name + "_COL.bmp";
            EXPECT_TRUE(File::open_read(out.c_str()).is_open()) << shown_name(c.name);
        }
    }
}

}  // namespace tw
