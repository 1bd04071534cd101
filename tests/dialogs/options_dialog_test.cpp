#include "dialogs/options_dialog.h"

#include <gtest/gtest.h>

#include <string>

#include "dialogs/memory_dialog.h"
#include "settings/settings.h"
#include "support/scripted_interaction.h"
#include "support/temp_dir.h"

namespace tw {

namespace {

class OptionsTest : public testing::Test {
  protected:
    void SetUp() override { test::reset_settings(tmp.path()); }
    std::string ini() {
        auto b = test::read_file(tmp.file("Brickyard.ini"));
        return std::string(b.begin(), b.end());
    }
    test::TempDir tmp;
    MemoryDialog d;
    test::ScriptedInteraction ui;
};

}  // namespace

TEST_F(OptionsTest, DefaultsShownAsTheTableSays) {
    options_dialog_init(d);
    EXPECT_TRUE(d.checked(OPT_SELECT_INPUT));
    EXPECT_FALSE(d.checked(OPT_SELECT_TOOL));
    EXPECT_FALSE(d.enabled(OPT_USER));
    EXPECT_FALSE(d.enabled(OPT_CHOOSE_FOLDER));
    EXPECT_EQ(d.text(OPT_USER), tmp.path());
    EXPECT_TRUE(d.checked(OPT_TEXT_OUT));
    EXPECT_TRUE(d.enabled(OPT_DATA_HEX));
    EXPECT_TRUE(d.checked(OPT_DATA_HEX));     // DATA_Type -1 acts as hexadecimal
    EXPECT_FALSE(d.checked(OPT_KEEP_WIDTH));  // AutoTrim 1
    EXPECT_FALSE(d.enabled(OPT_WIDE_256));
    EXPECT_TRUE(d.checked(OPT_WIDE_256));
    EXPECT_TRUE(d.checked(OPT_MAKE_256));
    EXPECT_TRUE(d.checked(OPT_PRG_LIMIT));
    EXPECT_TRUE(d.checked(OPT_PRG_TO_SCR));
    EXPECT_TRUE(d.checked(OPT_PRG_TO_MEM));
    EXPECT_FALSE(d.checked(OPT_MULTIBYTE));
    EXPECT_TRUE(d.enabled(OPT_ESCAPE));
    EXPECT_TRUE(d.checked(OPT_PAL_ASK));
    EXPECT_FALSE(d.checked(OPT_PAL_KEEP));
}

TEST_F(OptionsTest, ConfirmWithoutChangesWritesEveryKeyAndReadsBack) {
    options_dialog_init(d);
    EXPECT_EQ(options_dialog_command(d, OPT_CONFIRM), OPTIONS_END);
    std::string text = ini();
    for (const char* key :
         {"User=", "Select=768", "Create=0", "TextOut=1", "Data_Type=1", "AutoTrim=1",
          "PAL_Fix_1bit=-1", "WideMode=1", "Make_Wide=1", "PRG_Limit=1", "PRG_To_SCR=1",
          "PRG_To_MEM=1", "PRG_MultiByte=0", "PRG_ESCAPE=0"})
        EXPECT_NE(text.find(key), std::string::npos) << key << "\n" << text;
    Settings before = g_settings;
    load_settings_from(tmp.path().c_str());
    EXPECT_EQ(g_settings.PAL_Fix_1bit, -1);
    EXPECT_EQ(g_settings.DATA_Type, before.DATA_Type);
    EXPECT_EQ(g_settings.WideMode, 1);
}

TEST_F(OptionsTest, CancelChangesNothing) {
    options_dialog_init(d);
    options_dialog_command(d, OPT_SELECT_USER);
    d.set_checked(OPT_TEXT_OUT, false);
    options_dialog_command(d, OPT_TEXT_OUT);
    options_dialog_command(d, OPT_PAL_FIX);
    EXPECT_EQ(options_dialog_command(d, OPT_CANCEL), OPTIONS_END);
    EXPECT_EQ(g_settings.Select, 768);
    EXPECT_EQ(g_settings.TextOut, 1);
    EXPECT_EQ(g_settings.PAL_Fix_1bit, -1);
    EXPECT_FALSE(test::file_exists(tmp.file("Brickyard.ini")));
}

TEST_F(OptionsTest, DependentControls) {
    options_dialog_init(d);
    options_dialog_command(d, OPT_SELECT_USER);
    EXPECT_TRUE(d.checked(OPT_SELECT_USER));
    EXPECT_FALSE(d.checked(OPT_SELECT_INPUT));
    EXPECT_TRUE(d.enabled(OPT_USER));
    EXPECT_TRUE(d.enabled(OPT_CHOOSE_FOLDER));
    ui.folder_answer = "/picked/folder";
    options_dialog_command(d, OPT_CHOOSE_FOLDER);
    EXPECT_EQ(d.text(OPT_USER), "/picked/folder");
    ui.folder_answer.clear();  // cancelled: the field stays
    options_dialog_command(d, OPT_CHOOSE_FOLDER);
    EXPECT_EQ(d.text(OPT_USER), "/picked/folder");
    options_dialog_command(d, OPT_SELECT_TOOL);
    EXPECT_FALSE(d.enabled(OPT_USER));
    EXPECT_EQ(d.text(OPT_USER), "/picked/folder");

    d.set_checked(OPT_TEXT_OUT, false);
    options_dialog_command(d, OPT_TEXT_OUT);
    EXPECT_FALSE(d.enabled(OPT_DATA_HEX));
    EXPECT_FALSE(d.enabled(OPT_DATA_DECIMAL));
    EXPECT_TRUE(d.checked(OPT_DATA_HEX));  // the choice still shows
    d.set_checked(OPT_KEEP_WIDTH, true);
    options_dialog_command(d, OPT_KEEP_WIDTH);
    EXPECT_TRUE(d.enabled(OPT_WIDE_128));
    options_dialog_command(d, OPT_WIDE_128);
    EXPECT_TRUE(d.checked(OPT_WIDE_128));
    EXPECT_FALSE(d.checked(OPT_WIDE_256));
    d.set_checked(OPT_ESCAPE, true);
    d.set_checked(OPT_MULTIBYTE, true);
    options_dialog_command(d, OPT_MULTIBYTE);
    EXPECT_FALSE(d.enabled(OPT_ESCAPE));
    EXPECT_TRUE(d.checked(OPT_ESCAPE));
    options_dialog_command(d, OPT_MAKE_128);
    options_dialog_command(d, OPT_PAL_KEEP);
    options_dialog_command(d, OPT_DATA_DECIMAL);

    options_dialog_command(d, OPT_CONFIRM);
    const Settings& s = g_settings;
    EXPECT_EQ(s.Select, 769);
    EXPECT_EQ(std::string(s.User), "/picked/folder");
    EXPECT_EQ(s.TextOut, 0);
    EXPECT_EQ(s.DATA_Type, 0);
    EXPECT_EQ(s.AutoTrim, 0);
    EXPECT_EQ(s.WideMode, 0);
    EXPECT_EQ(s.Make_Wide, 0);
    EXPECT_EQ(s.PRG_MultiByte, 1);
    EXPECT_EQ(s.PRG_ESCAPE, 1);  // a disabled box is read like any other
    EXPECT_EQ(s.PAL_Fix_1bit, 0);
    load_settings_from(tmp.path().c_str());
    EXPECT_EQ(g_settings.Select, 769);
    EXPECT_EQ(g_settings.AutoTrim, 0);
    EXPECT_EQ(g_settings.PAL_Fix_1bit, 0);
}

TEST_F(OptionsTest, ValuesOutsideTheButtons) {
    g_settings.Select = 771;  // kept by the load, shown as no button
    g_settings.Create = 2;    // shown checked
    g_settings.PAL_Fix_1bit = 7;
    options_dialog_init(d);
    EXPECT_FALSE(d.checked(OPT_SELECT_INPUT) || d.checked(OPT_SELECT_TOOL) ||
                 d.checked(OPT_SELECT_USER));
    EXPECT_TRUE(d.checked(OPT_CREATE));
    EXPECT_TRUE(d.checked(OPT_PAL_ASK));
    options_dialog_command(d, OPT_CONFIRM);
    EXPECT_EQ(g_settings.Select, 771);
    EXPECT_EQ(g_settings.Create, 1);
    EXPECT_EQ(g_settings.PAL_Fix_1bit, -1);
}

}  // namespace tw
