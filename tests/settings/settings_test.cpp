#include "settings/settings.h"

#include <gtest/gtest.h>

#include <string>

#include "support/temp_dir.h"

namespace tw {
using test::TempDir;

namespace {
void write_ini(const TempDir& tmp, const std::string& text) {
    test::write_file(tmp.file("Brickyard.ini"), text);
}
}  // namespace

TEST(Settings, DefaultsWithoutAFile) {
    TempDir tmp;
    load_settings_from(tmp.path().c_str());
    const Settings& s = g_settings;
    EXPECT_EQ(s.Select, 768);
    EXPECT_EQ(s.Create, 0);
    EXPECT_EQ(std::string(s.User), tmp.path());
    EXPECT_EQ(std::string(g_runtime.tool_dir), tmp.path());
    EXPECT_EQ(s.TextOut, 1);
    EXPECT_EQ(s.DATA_Type, -1);
    EXPECT_EQ(s.AutoTrim, 1);
    EXPECT_EQ(s.WideMode, -1);
    EXPECT_EQ(s.Make_Wide, -1);
    EXPECT_EQ(s.PRG_Limit, 1);
    EXPECT_EQ(s.PRG_To_SCR, 1);
    EXPECT_EQ(s.PRG_To_MEM, 1);
    EXPECT_EQ(s.PRG_MultiByte, 0);
    EXPECT_EQ(s.PRG_ESCAPE, 0);
    EXPECT_EQ(s.PAL_Fix_1bit, -1);
}

TEST(Settings, SelectReplacement) {
    const struct {
        const char* stored;
        int32_t loaded;
    } cases[] = {{"0", 768},   {"1280", 768}, {"768", 768},   {"769", 769},
                 {"770", 770}, {"771", 771},  {"1023", 1023}, {"-1", 768}};
    for (const auto& c : cases) {
        TempDir tmp;
        write_ini(tmp, std::string("[Directory]\r\nSelect=") + c.stored + "\r\n");
        load_settings_from(tmp.path().c_str());
        EXPECT_EQ(g_settings.Select, c.loaded) << c.stored;
    }
}

TEST(Settings, NegativeValuesReplacedOnlyWhereTheTableSays) {
    TempDir tmp;
    write_ini(tmp,
              "[Directory]\r\nCreate=-5\r\nUser=\r\n[Convert]\r\nTextOut=-2\r\nDATA_Type=-3\r\n"
              "AutoTrim=-4\r\nWideMode=-5\r\nMake_Wide=-6\r\nPRG_Limit=-7\r\nPRG_To_SCR=-8\r\n"
              "PRG_To_MEM=-9\r\nPRG_MultiByte=-10\r\nPRG_ESCAPE=-11\r\nPAL_Fix_1bit=-12\r\n");
    load_settings_from(tmp.path().c_str());
    const Settings& s = g_settings;
    EXPECT_EQ(s.Create, 0);
    EXPECT_EQ(std::string(s.User), tmp.path());  // empty User falls back to the tool folder
    EXPECT_EQ(s.TextOut, 1);
    EXPECT_EQ(s.DATA_Type, -3);
    EXPECT_EQ(s.AutoTrim, 1);
    EXPECT_EQ(s.WideMode, -5);
    EXPECT_EQ(s.Make_Wide, -6);
    EXPECT_EQ(s.PRG_Limit, 1);
    EXPECT_EQ(s.PRG_To_SCR, 1);
    EXPECT_EQ(s.PRG_To_MEM, 1);
    EXPECT_EQ(s.PRG_MultiByte, 0);
    EXPECT_EQ(s.PRG_ESCAPE, 0);
    EXPECT_EQ(s.PAL_Fix_1bit, -12);
}

TEST(Settings, SaveThenLoadGivesTheSameValues) {
    TempDir tmp;
    load_settings_from(tmp.path().c_str());
    Settings want{770, 2, "", 0, 0, 0, 0, 0, 0, 0, 0, 1, 1, -1};
    std::string user = tmp.file("out");
    user.copy(want.User, user.size());
    g_settings = want;
    ASSERT_TRUE(save_settings());
    g_settings = Settings{};
    load_settings_from(tmp.path().c_str());
    const Settings& s = g_settings;
    EXPECT_EQ(s.Select, 770);
    EXPECT_EQ(s.Create, 2);
    EXPECT_EQ(std::string(s.User), user);
    EXPECT_EQ(s.TextOut, 0);
    EXPECT_EQ(s.DATA_Type, 0);
    EXPECT_EQ(s.AutoTrim, 0);
    EXPECT_EQ(s.WideMode, 0);
    EXPECT_EQ(s.Make_Wide, 0);
    EXPECT_EQ(s.PRG_Limit, 0);
    EXPECT_EQ(s.PRG_To_SCR, 0);
    EXPECT_EQ(s.PRG_To_MEM, 0);
    EXPECT_EQ(s.PRG_MultiByte, 1);
    EXPECT_EQ(s.PRG_ESCAPE, 1);
    EXPECT_EQ(s.PAL_Fix_1bit, -1);
}

TEST(Settings, SaveWritesKeysInOrderAndDataTypeIsFoundAgain) {
    TempDir tmp;
    load_settings_from(tmp.path().c_str());
    g_settings.DATA_Type = 0;
    ASSERT_TRUE(save_settings());
    auto bytes = test::read_file(tmp.file("Brickyard.ini"));
    std::string text(bytes.begin(), bytes.end());
    const char* order[] = {
        "[Directory]", "User=",       "Select=",        "Create=",    "[Convert]",  "TextOut=",
        "Data_Type=",  "AutoTrim=",   "PAL_Fix_1bit=",  "WideMode=",  "Make_Wide=", "PRG_Limit=",
        "PRG_To_SCR=", "PRG_To_MEM=", "PRG_MultiByte=", "PRG_ESCAPE="};
    size_t last = 0;
    for (const char* key : order) {
        size_t at = text.find(key);
        ASSERT_NE(at, std::string::npos) << key;
        EXPECT_GE(at, last) << key;
        last = at;
    }
    load_settings_from(tmp.path().c_str());
    EXPECT_EQ(g_settings.DATA_Type, 0);
}

TEST(Settings, RuntimeValuesStartAsBgEightByEight) {
    g_runtime.resource_type = 261;
    g_runtime.sprite_width = 32;
    reset_runtime_values();
    EXPECT_EQ(g_runtime.resource_type, 257);
    EXPECT_EQ(g_runtime.sprite_width, 8);
    EXPECT_EQ(g_runtime.sprite_height, 8);
}

}  // namespace tw
