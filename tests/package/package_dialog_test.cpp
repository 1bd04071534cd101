#include "package/package_dialog.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "dialogs/memory_dialog.h"
#include "settings/settings.h"
#include "support/bmp_writer.h"
#include "support/package_fixtures.h"
#include "support/scripted_interaction.h"
#include "support/temp_dir.h"

namespace tw {

namespace {

using test::slot;
using test::with_nuls;

class DialogTest : public testing::Test {
  protected:
    void SetUp() override {
        test::reset_settings(tmp.path());
        package_dialog_init(dialog);
    }
    void image(const std::string& file, int32_t w, int32_t h) {
        test::BmpFixture s;
        s.width = w;
        s.height = h;
        s.palette = test::ramp_palette(256);
        test::write_bmp_file(tmp.file(file), s);
    }
    void choose(const PackageSlot& s, const std::string& file) {
        ui.files.push_back(tmp.file(file));
        package_dialog_command(dialog, s.base + SLOT_CHOOSE);
    }
    test::TempDir tmp;
    MemoryDialog dialog;
    test::ScriptedInteraction ui;
};

}  // namespace

TEST_F(DialogTest, InitialState) {
    const PackageSlot& spu = slot("SPU5");
    EXPECT_FALSE(dialog.checked(spu.base));
    EXPECT_FALSE(dialog.enabled(spu.base + SLOT_PATH));
    EXPECT_EQ(dialog.combo_count(spu.base + SLOT_SIZE), 7);
    EXPECT_EQ(dialog.combo_entry(spu.base + SLOT_SIZE, 6), "64x64");
    EXPECT_EQ(dialog.combo_selection(spu.base + SLOT_SIZE), 0);
    const PackageSlot& spd = slot("SPD2", true);
    EXPECT_EQ(dialog.combo_count(spd.base + SLOT_SIZE), 1);
    EXPECT_EQ(dialog.combo_entry(spd.base + SLOT_SIZE, 0), "32x32");
    EXPECT_EQ(dialog.combo_count(slot("GRP1").base + SLOT_BANK), 0);
    EXPECT_EQ(slot("BGF0", true).base, 8184);
    EXPECT_EQ(slot("SPS1", true).base, 4496);
    EXPECT_EQ(slot("COL2", true).base, 7248);
}

TEST_F(DialogTest, NameNormalization) {
    const struct {
        const char* typed;
        const char* kept;
    } cases[] = {{"my-pack", "MY"},
                 {"pack_01x9", "PACK_01X"},
                 {"abc", "ABC"},
                 {"", ""},
                 {"ABCDEFGHIJKLMNOPQRS", "ABCDEFGH"},
                 {" x", ""},
                 {"a.b", "A"},
                 {"\xe3\x81\x82", ""}};
    for (const auto& c : cases) {
        dialog.set_text(ID_PACKAGE_NAME, c.typed);
        package_dialog_command(dialog, ID_PACKAGE_NAME);  // its own commands change nothing
        EXPECT_EQ(dialog.text(ID_PACKAGE_NAME), c.typed);
        package_dialog_command(dialog, slot("PRG").base);  // any other control normalizes
        EXPECT_EQ(dialog.text(ID_PACKAGE_NAME), c.kept) << c.typed;
    }
}

TEST_F(DialogTest, ImagesCheckedWhenChosen) {
    image("wide.bmp", 100, 64);
    choose(slot("BGU0"), "wide.bmp");  // 100 is no multiple of 8
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "この画像はこのリソースタイプに指定できません");
    EXPECT_EQ(ui.messages[0].caption, "Error");
    EXPECT_FALSE(dialog.checked(slot("BGU0").base));
    EXPECT_EQ(dialog.text(slot("BGU0").base + SLOT_PATH), "");
    EXPECT_FALSE(dialog.enabled(slot("BGU0").base + SLOT_PATH));
    g_settings.AutoTrim = 0;
    choose(slot("BGU0"), "wide.bmp");
    EXPECT_TRUE(dialog.checked(slot("BGU0").base));
    EXPECT_EQ(dialog.combo_count(slot("BGU0").base + SLOT_BANK), 1);
    EXPECT_EQ(dialog.combo_selection(slot("BGU0").base + SLOT_BANK), 0);

    image("tall.bmp", 256, 384);
    choose(slot("GRP0"), "tall.bmp");
    EXPECT_EQ(dialog.combo_count(slot("GRP0").base + SLOT_BANK), 2);
    EXPECT_EQ(dialog.combo_entry(slot("GRP0").base + SLOT_BANK, 1), "2枚目");
    EXPECT_EQ(ui.requests.back().title, "変換するビットマップ画像を選択");
    EXPECT_EQ(ui.requests.back().filter, with_nuls("ビットマップ画像\0*.bmp\0"));
}

TEST_F(DialogTest, TextsAreNotChecked) {
    test::write_file(tmp.file("anything.txt"), std::string("not a program at all \xB1"));
    choose(slot("PRG"), "anything.txt");
    EXPECT_TRUE(dialog.checked(slot("PRG").base));
    EXPECT_TRUE(dialog.enabled(slot("PRG").base + SLOT_PATH));
    EXPECT_EQ(dialog.text(slot("PRG").base + SLOT_PATH), tmp.file("anything.txt"));
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(ui.requests.back().title, "変換するテキストを選択");
    choose(slot("SCU1", true), "anything.txt");
    EXPECT_EQ(ui.requests.back().filter,
              with_nuls("テキストドキュメント\0*.txt\0SCRリソースファイル\0*.rscr\0"));
    // A cancelled chooser changes nothing.
    package_dialog_command(dialog, slot("MEM").base + SLOT_CHOOSE);
    EXPECT_FALSE(dialog.checked(slot("MEM").base));
}

TEST_F(DialogTest, CheckBoxesKeepTheirText) {
    const PackageSlot& s = slot("COL1");
    test::write_file(tmp.file("x.txt"), std::string("x"));
    image("p.bmp", 8, 8);
    choose(s, "p.bmp");
    ASSERT_TRUE(dialog.checked(s.base));
    dialog.set_checked(s.base, false);
    package_dialog_command(dialog, s.base);
    EXPECT_FALSE(dialog.enabled(s.base + SLOT_PATH));
    EXPECT_EQ(dialog.text(s.base + SLOT_PATH), tmp.file("p.bmp"));
    dialog.set_checked(s.base, true);
    package_dialog_command(dialog, s.base);
    EXPECT_TRUE(dialog.enabled(s.base + SLOT_PATH));
}

TEST_F(DialogTest, ControlsDisabledWhileBuilding) {
    test::write_file(tmp.file("p.txt"), std::string("END"));
    choose(slot("PRG"), "p.txt");
    bool all_disabled = true;
    ui.on_choose = [&] {
        for (size_t i = 0; i < kPackageSlotCount; ++i)
            for (int k = 0; k < 3; ++k)
                all_disabled = all_disabled && !dialog.enabled(kPackageSlots[i].base + k);
        all_disabled = all_disabled && !dialog.enabled(ID_CREATE) && !dialog.enabled(ID_CANCEL) &&
                       !dialog.enabled(ID_PACKAGE_NAME);
    };
    ui.files.push_back(tmp.file("out.ptc"));
    EXPECT_EQ(package_dialog_command(dialog, ID_CREATE), DIALOG_END);
    EXPECT_TRUE(all_disabled);
    EXPECT_TRUE(dialog.enabled(ID_CREATE));
    EXPECT_TRUE(dialog.enabled(slot("PRG").base + SLOT_PATH));   // checked: enabled again
    EXPECT_FALSE(dialog.enabled(slot("MEM").base + SLOT_PATH));  // not checked: stays disabled
    EXPECT_EQ(package_dialog_command(dialog, ID_CANCEL), DIALOG_END);
}

}  // namespace tw
