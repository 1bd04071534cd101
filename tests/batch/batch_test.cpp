#include "batch/batch.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/files.h"
#include "settings/settings.h"
#include "support/bmp_writer.h"
#include "support/image_fixtures.h"
#include "support/scripted_interaction.h"
#include "support/temp_dir.h"

namespace tw {

class BatchTest : public testing::Test {
  protected:
    void SetUp() override {
        test::reset_settings(tmp.path());
        g_settings.TextOut = 0;
        test::BmpFixture s;
        s.palette = test::ramp_palette(256);
        s.width = 16;
        s.height = 16;
        test::write_bmp_file(tmp.file("pic.bmp"), s);
        test::write_file(tmp.file("blob.xyz"), std::string("hello"));
    }
    test::TempDir tmp;
    test::ScriptedInteraction ui;
};

TEST_F(BatchTest, CountsInOrderWithOneSummary) {
    std::vector<std::string> order;
    BatchCounts c =
        convert_batch({tmp.file("pic.bmp"), tmp.file("missing.bmp"), tmp.file("blob.xyz")},
                      [&](size_t, const std::string& path, bool) { order.push_back(path); });
    EXPECT_EQ(c.total, 3);
    EXPECT_EQ(c.succeeded, 2);
    EXPECT_EQ(c.failed, 1);
    EXPECT_EQ(order, (std::vector<std::string>{tmp.file("pic.bmp"), tmp.file("missing.bmp"),
                                               tmp.file("blob.xyz")}));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].caption, "変換終了");
    EXPECT_EQ(ui.messages[0].text, "3個のファイルを変換しました\n変換成功：2個\n変換失敗：1個");
    EXPECT_TRUE(test::file_exists(tmp.file("pic_CHR.ptc")));
    EXPECT_TRUE(test::file_exists(tmp.file("blob_BIN.ptc")));
}

TEST_F(BatchTest, SummaryAlsoWhenEverythingFailed) {
    BatchCounts c = convert_batch({tmp.file("none1"), tmp.file("none2")});
    EXPECT_EQ(c.failed, 2);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "2個のファイルを変換しました\n変換成功：0個\n変換失敗：2個");
}

TEST_F(BatchTest, ResourceTypeChoosesTheConverter) {
    g_runtime.resource_type = RESOURCE_GRP;
    EXPECT_TRUE(convert_file(tmp.file("pic.bmp").c_str()));
    EXPECT_EQ(test::read_ptc(tmp.file("pic_GRP.ptc")).type_code, 2u);
    g_runtime.resource_type = RESOURCE_BIN;
    EXPECT_TRUE(convert_file(tmp.file("pic.bmp").c_str()));
    EXPECT_TRUE(test::read_ptc(tmp.file("pic_BIN.ptc")).valid);
    g_runtime.resource_type = 261;
    g_runtime.sprite_width = g_runtime.sprite_height = 32;
    EXPECT_FALSE(convert_file(tmp.file("pic.bmp").c_str()));  // 16 x 16 is no multiple of 32
}

TEST_F(BatchTest, FoldersAndOutputFolders) {
    ASSERT_TRUE(make_directory(tmp.file("adir").c_str()));
    g_settings.Create = 1;
    // A dropped folder is classified by name (BIN), gets its output folder, and fails to open.
    EXPECT_FALSE(convert_file(tmp.file("adir").c_str()));
    EXPECT_TRUE(is_directory(tmp.file("PTC/adir").c_str()));
    EXPECT_TRUE(convert_file(tmp.file("pic.bmp").c_str()));
    EXPECT_TRUE(test::file_exists(tmp.file("PTC/pic/pic_CHR.ptc")));
    // An output folder that cannot be made fails the file without a converter.
    test::write_file(tmp.file("PTC/blob"), std::string("in the way"));
    EXPECT_FALSE(convert_file(tmp.file("blob.xyz").c_str()));
    g_settings.Create = 2;  // only 1 creates folders
    EXPECT_TRUE(convert_file(tmp.file("blob.xyz").c_str()));
    EXPECT_TRUE(test::file_exists(tmp.file("blob_BIN.ptc")));
}

}  // namespace tw
