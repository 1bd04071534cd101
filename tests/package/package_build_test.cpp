#include "package/package_build.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "dialogs/memory_dialog.h"
#include "image/chr_convert.h"
#include "package/package_dialog.h"
#include "settings/settings.h"
#include "support/bmp_writer.h"
#include "support/image_fixtures.h"
#include "support/package_fixtures.h"
#include "support/scripted_interaction.h"
#include "support/temp_dir.h"

namespace tw {

namespace {

using test::slot;
using test::with_nuls;

uint32_t u32(const std::vector<uint8_t>& b, size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}

uint8_t value(int32_t x, int32_t y) {
    return static_cast<uint8_t>((x / 8 + y / 8 * 3 + x % 5) & 15);
}

class PackageTest : public testing::Test {
  protected:
    void SetUp() override {
        test::reset_settings(tmp.path());
        package_dialog_init(dialog);
        test::write_file(tmp.file("prog.txt"), std::string("PRINT 1\r\nEND"));
        image("pic.bmp", 128, 128, 4);
    }
    void image(const std::string& file, int32_t w, int32_t h, uint16_t bits) {
        test::BmpFixture s;
        s.width = w;
        s.height = h;
        s.bits = bits;
        s.palette = test::ramp_palette(size_t{1} << bits);
        for (int32_t y = 0; y < h; ++y)
            for (int32_t x = 0; x < w; ++x) s.pixels.push_back(value(x, y));
        test::write_bmp_file(tmp.file(file), s);
    }
    // Checks the slot and chooses its file through the dialog, as a user would.
    void fill(const PackageSlot& s, const std::string& file) {
        dialog.set_checked(s.base, true);
        package_dialog_command(dialog, s.base);
        ui.files.push_back(tmp.file(file));
        package_dialog_command(dialog, s.base + SLOT_CHOOSE);
    }
    bool create(const std::string& out) {
        ui.files.push_back(tmp.file(out));
        return package_dialog_command(dialog, ID_CREATE) == DIALOG_END;
    }
    test::TempDir tmp;
    MemoryDialog dialog;
    test::ScriptedInteraction ui;
};

}  // namespace

TEST_F(PackageTest, ProgramOnly) {
    fill(slot("PRG"), "prog.txt");
    ASSERT_TRUE(create("game.dat"));
    auto p = test::read_file(tmp.file("game.ptc"));  // the typed extension is replaced
    EXPECT_FALSE(test::file_exists(tmp.file("game.dat")));
    ASSERT_EQ(p.size(), 72u);
    EXPECT_EQ(u32(p, 48), 0u);
    EXPECT_EQ(u32(p, 52), 0u);
    EXPECT_EQ(u32(p, 56), 11u);
    auto ptc = test::read_ptc(tmp.file("game.ptc"));
    EXPECT_TRUE(ptc.valid);
    EXPECT_EQ(ptc.name, "PACKAGE");
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "PTCパッケージを作成しました");
    EXPECT_EQ(ui.messages[0].caption, "変換終了");
    const FileDialogRequest& save = ui.requests.back();
    EXPECT_EQ(save.title, "ファイルの保存場所を選択");
    EXPECT_EQ(save.filter, with_nuls("PTCパッケージ\0*.ptc\0"));
    EXPECT_EQ(save.overwrite_prompt, 1);
    EXPECT_EQ(save.default_ext, ".ptc");
}

TEST_F(PackageTest, SpriteAndPaletteWithoutProgram) {
    fill(slot("SPU0"), "pic.bmp");
    fill(slot("COL0"), "pic.bmp");
    dialog.set_text(ID_PACKAGE_NAME, "abc");
    ASSERT_TRUE(create("out.ptc"));
    auto p = test::read_file(tmp.file("out.ptc"));
    ASSERT_EQ(p.size(), 36u + 24 + (12 + 8192) + (12 + 512));
    EXPECT_EQ(std::string(p.begin() + 36, p.begin() + 48), "PETC0300RPRG");
    EXPECT_EQ(u32(p, 48), 0u);
    EXPECT_EQ(u32(p, 52), 0x2001u);
    EXPECT_EQ(u32(p, 56), 0u);
    EXPECT_EQ(std::string(p.begin() + 60, p.begin() + 72), "PETC0100RCHR");
    EXPECT_EQ(std::string(p.begin() + 72 + 8192, p.begin() + 84 + 8192), "PETC0100RCOL");
    // The CHR record is the image in 16 x 16 units.
    BmpImage img = test::make_image(128, 128, value);
    ResourceBuffer want = gather_tiles(16384, 0, 16, 16, 128, img);
    EXPECT_EQ(0, std::memcmp(p.data() + 72, want.body(), 8192));
    auto ptc = test::read_ptc(tmp.file("out.ptc"));
    EXPECT_TRUE(ptc.valid);
    EXPECT_EQ(ptc.name, "ABC");
}

TEST_F(PackageTest, SpritesPrecedeBg) {
    fill(slot("BGU1"), "pic.bmp");
    fill(slot("SPU3"), "pic.bmp");
    dialog.combo_select(slot("SPU3").base + SLOT_SIZE, 3);  // 32x32
    ASSERT_TRUE(create("o.ptc"));
    auto p = test::read_file(tmp.file("o.ptc"));
    EXPECT_EQ(u32(p, 52), (1u << 3) | (1u << 9));
    BmpImage img = test::make_image(128, 128, value);
    ResourceBuffer spu = gather_tiles(16384, 0, 32, 32, 128, img);
    ResourceBuffer bgu = gather_tiles(16384, 0, 8, 8, 128, img);
    EXPECT_EQ(0, std::memcmp(p.data() + 72, spu.body(), 8192));
    EXPECT_EQ(0, std::memcmp(p.data() + 72 + 8192 + 12, bgu.body(), 8192));
}

TEST_F(PackageTest, ThirdBankOfALargeImage) {
    g_settings.AutoTrim = 0;
    g_settings.WideMode = 0;
    image("big.bmp", 256, 256, 4);
    fill(slot("BGU0"), "big.bmp");
    ASSERT_EQ(dialog.combo_count(slot("BGU0").base + SLOT_BANK), 4);
    EXPECT_EQ(dialog.combo_entry(slot("BGU0").base + SLOT_BANK, 2), "3枚目");
    dialog.combo_select(slot("BGU0").base + SLOT_BANK, 2);
    ASSERT_TRUE(create("o.ptc"));
    auto p = test::read_file(tmp.file("o.ptc"));
    BmpImage img = test::make_image(256, 256, value);
    ResourceBuffer want = gather_tiles(16384, 2, 8, 8, 128, img);  // bottom-left quarter
    EXPECT_EQ(0, std::memcmp(p.data() + 72, want.body(), 8192));
}

TEST_F(PackageTest, FailureListInItsOrder) {
    // Typed by hand: no bank box entries.
    dialog.set_checked(slot("BGU2", true).base, true);
    dialog.set_text(slot("BGU2", true).base + SLOT_PATH, tmp.file("pic.bmp"));
    dialog.set_checked(slot("SPD1", true).base, true);
    dialog.set_text(slot("SPD1", true).base + SLOT_PATH, tmp.file("missing.bmp"));
    dialog.set_checked(slot("COL2", true).base, true);
    dialog.set_text(slot("COL2", true).base + SLOT_PATH, tmp.file("missing.bmp"));
    dialog.set_checked(slot("BGD1", true).base, true);
    dialog.set_checked(slot("MEM").base, true);
    dialog.set_text(slot("MEM").base + SLOT_PATH, tmp.file("prog.txt"));  // no MEM$=" in it
    test::write_file(tmp.file("kana.txt"), std::string("\xB1 \xB2 "));
    fill(slot("PRG"), "kana.txt");  // read as full-width text, fails at its first katakana
    fill(slot("SCU0"), "prog.txt");
    EXPECT_FALSE(create("never.ptc"));
    EXPECT_FALSE(test::file_exists(tmp.file("never.ptc")));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].caption, "Error");
    EXPECT_EQ(ui.messages[0].text,
              "以下のファイルの変換に失敗しました\n PRG\n BGU2 (下画面)\n BGD1\n SCU0\n COL2 "
              "(下画面)\n MEM\n SPD1");
    EXPECT_TRUE(ui.requests.size() == 2u);  // the two choices; no save dialog
}

TEST_F(PackageTest, NothingCheckedOrSaveCancelled) {
    EXPECT_FALSE(package_dialog_command(dialog, ID_CREATE) == DIALOG_END);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_TRUE(ui.requests.empty());
    fill(slot("PRG"), "prog.txt");
    EXPECT_EQ(package_dialog_command(dialog, ID_CREATE), DIALOG_CONTINUE);  // no file answered
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(PackageTest, UnwritableOutput) {
    fill(slot("PRG"), "prog.txt");
    EXPECT_FALSE(create("no/such/folder/x.ptc"));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "ファイルの保存に失敗しました");
    EXPECT_EQ(ui.messages[0].caption, "Error");
}

TEST(AppendResource, JoinsFromOffsetEight) {
    ResourceBuffer pkg(kPrgKind, 12);
    ResourceBuffer col(kColKind);
    col.body()[0] = 0xAB;
    ASSERT_TRUE(append_resource(pkg, col));
    ASSERT_EQ(pkg.length(), 32u + 524);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(pkg.data() + 32), 12), "PETC0100RCOL");
    EXPECT_EQ(pkg.data()[44], 0xAB);
    ResourceBuffer tiny;
    EXPECT_FALSE(append_resource(pkg, tiny));
    EXPECT_EQ(pkg.length(), 556u);
}

}  // namespace tw
