#include "convert/convert_job.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "platform/files.h"
#include "platform/paths.h"
#include "settings/settings.h"
#include "support/temp_dir.h"

namespace tw {
using test::TempDir;

class ConvertJobTest : public testing::Test {
  protected:
    void SetUp() override { test::reset_settings(tmp.path()); }
    TempDir tmp;
};

TEST_F(ConvertJobTest, Classification) {
    const struct {
        const char* path;
        uint16_t resource_type;
        int32_t to_scr, to_mem;
        int32_t kind;
    } cases[] = {
        {"C:\\w\\PIC.BMP", 257, 1, 1, KIND_IMAGE},
        {"C:\\w\\pic.bmp", 265, 1, 1, KIND_IMAGE},
        {"C:\\w\\all.PTC", 257, 1, 1, KIND_EXTRACT},
        {"C:\\w\\map.rscr", 257, 0, 0, KIND_SCR},
        {"C:\\w\\map.RSCR", 257, 1, 1, KIND_SCR},
        {"C:\\w\\prog.txt", 257, 1, 1, KIND_PRG},
        {"C:\\w\\stage_SCR.txt", 257, 1, 1, KIND_SCR},
        {"C:\\w\\stage_SCR.txt", 257, 0, 1, KIND_PRG},
        {"C:\\w\\text_mem.TXT", 257, 1, 1, KIND_MEM},
        {"C:\\w\\text_mem.TXT", 257, 1, 0, KIND_PRG},
        {"C:\\w\\scr.txt", 257, 1, 1, KIND_PRG},
        {"C:\\w\\_scr.txt", 257, 1, 1, KIND_SCR},
        {"C:\\w\\_Mem.txt", 258, 1, 1, KIND_MEM},
        {"C:\\w\\photo.jpg", 257, 1, 1, KIND_BIN},
        {"C:\\w\\README", 257, 1, 1, KIND_BIN},
        {"C:\\w\\a.txt.bak", 257, 1, 1, KIND_BIN},
        {"C:\\w\\a.bmp.", 257, 1, 1, KIND_BIN},
        {"C:\\w\\pic.bmp", 266, 1, 1, KIND_BIN},
        {"C:\\w\\prog.txt", 266, 1, 1, KIND_BIN},
        {"C:\\w\\data.ptc", 266, 1, 1, KIND_BIN},
        {"C:\\w\\map.rscr", 266, 1, 1, KIND_BIN},
    };
    for (const auto& c : cases) {
        g_runtime.resource_type = c.resource_type;
        g_settings.PRG_To_SCR = c.to_scr;
        g_settings.PRG_To_MEM = c.to_mem;
        ConvertJob job = make_convert_job(c.path, false);
        EXPECT_EQ(job.kind, c.kind) << c.path << " type " << c.resource_type;
    }
}

TEST_F(ConvertJobTest, NamePartsKeepCaseExtensionLowered) {
    ConvertJob job = make_convert_job("C:\\work\\PIC.BMP", false);
    EXPECT_STREQ(job.path, "C:\\work\\PIC.BMP");
    EXPECT_STREQ(job.dir, "\\work\\");
    EXPECT_STREQ(job.name, "PIC");
    EXPECT_STREQ(job.ext, ".bmp");
    EXPECT_STREQ(job.out_path, "");
    EXPECT_STREQ(job.res_name, "");
}

TEST_F(ConvertJobTest, OutputFolderBySelect) {
    const struct {
        int32_t select;
        const char* path;
        std::string out_dir;
    } cases[] = {
        {768, "C:\\work\\pic.bmp", "C:\\work\\"},     {768, "C:\\x.bmp", "C:\\"},
        {768, "/home/u/pic.bmp", "/home/u/"},         {768, "pic.bmp", ""},
        {770, "C:\\work\\pic.bmp", "D:\\out/"},       {769, "C:\\work\\pic.bmp", tmp.path() + "/"},
        {771, "C:\\work\\pic.bmp", tmp.path() + "/"},
    };
    std::snprintf(g_settings.User, sizeof g_settings.User, "D:\\out");
    for (const auto& c : cases) {
        g_settings.Select = c.select;
        ConvertJob job = make_convert_job(c.path, false);
        EXPECT_EQ(job.out_dir, c.out_dir) << c.select << " " << c.path;
    }
}

TEST_F(ConvertJobTest, FolderCreationPerInput) {
    std::string in = tmp.file("pic.bmp");
    ConvertJob job = make_convert_job(in.c_str(), true);
    EXPECT_EQ(job.kind, KIND_IMAGE);
    EXPECT_EQ(std::string(job.out_dir), tmp.path() + "/PTC/pic/");
    EXPECT_TRUE(is_directory(tmp.file("PTC").c_str()));
    EXPECT_TRUE(is_directory(tmp.file("PTC/pic").c_str()));
    // A second job finds the folders already there.
    EXPECT_EQ(make_convert_job(in.c_str(), true).kind, KIND_IMAGE);
}

TEST_F(ConvertJobTest, ExtractionStopsAtThePtcFolder) {
    std::string in = tmp.file("all.ptc");
    ConvertJob job = make_convert_job(in.c_str(), true);
    EXPECT_EQ(job.kind, KIND_EXTRACT);
    EXPECT_EQ(std::string(job.out_dir), tmp.path() + "/PTC/");
    EXPECT_FALSE(is_directory(tmp.file("PTC/all").c_str()));
}

TEST_F(ConvertJobTest, FolderThatCannotBeCreated) {
    g_settings.Select = 770;
    std::string user = tmp.file("missing/out");
    user.copy(g_settings.User, user.size());
    g_settings.User[user.size()] = '\0';
    EXPECT_EQ(make_convert_job(tmp.file("a.bmp").c_str(), true).kind, KIND_NO_OUTPUT_DIR);
    EXPECT_FALSE(is_directory(tmp.file("missing").c_str()));
    // Without folder creation nothing is checked.
    ConvertJob job = make_convert_job(tmp.file("a.bmp").c_str(), false);
    EXPECT_EQ(job.kind, KIND_IMAGE);
    EXPECT_EQ(std::string(job.out_dir), user + "/");
}

TEST_F(ConvertJobTest, PathsThatDoNotFitFailCleanly) {
    std::string long_path = "/" + std::string(250, 'd') + "/x.bmp";  // 257 characters
    ConvertJob ok = make_convert_job(long_path.c_str(), false);
    EXPECT_EQ(ok.kind, KIND_IMAGE);
    // The input fits, but PTC/x/ below its folder does not.
    EXPECT_EQ(make_convert_job(long_path.c_str(), true).kind, KIND_NO_OUTPUT_DIR);
    std::string too_long = "/" + std::string(260, 'd') + ".bmp";
    EXPECT_EQ(make_convert_job(too_long.c_str(), false).kind, KIND_NO_OUTPUT_DIR);
}

TEST_F(ConvertJobTest, ShiftJisTrailByteStaysInTheName) {
    // ソ (0x83 0x5C) ends in the byte of '\'. In code page 932 the character stays whole:
    // read so here on every system, and by the system itself where that is its code page.
    for (bool system : {false, true}) {
        if (system && !system_lead_byte(0x83)) continue;
        ConvertJob job = system
                             ? make_convert_job("C:\\w\\\x83\x5C.bmp", false)
                             : make_convert_job("C:\\w\\\x83\x5C.bmp", false, shift_jis_lead_byte);
        EXPECT_STREQ(job.name, "\x83\x5C") << system;
        EXPECT_STREQ(job.dir, "\\w\\") << system;
        EXPECT_EQ(job.kind, KIND_IMAGE) << system;
    }
}

TEST(JobHelpers, ExtensionAndSuffixTests) {
    ConvertJob job{};
    std::string(".bmp").copy(job.ext, 4);
    std::string("Stage_SCR").copy(job.name, 9);
    EXPECT_TRUE(job_has_ext(job, ".bmp"));
    EXPECT_TRUE(job_has_ext(job, ".BMP"));
    EXPECT_FALSE(job_has_ext(job, ".bm"));
    EXPECT_FALSE(job_has_ext(job, ".bmpx"));
    EXPECT_TRUE(job_name_ends_with(job, "_scr"));
    EXPECT_TRUE(job_name_ends_with(job, "stage_scr"));
    EXPECT_FALSE(job_name_ends_with(job, "xstage_scr"));
    EXPECT_FALSE(job_name_ends_with(job, "_mem"));
}

}  // namespace tw
