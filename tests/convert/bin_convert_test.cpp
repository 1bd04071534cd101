#include "convert/bin_convert.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/files.h"
#include "settings/settings.h"
#include "support/image_fixtures.h"
#include "support/temp_dir.h"

namespace tw {

namespace {

// The body offset of data byte k of a part, from the BIN layout.
uint32_t body_offset(uint32_t k) {
    uint32_t y = k / 256, x = k % 256;
    return 4096 * (4 * (y / 64) + x / 64) + 64 * (8 * ((y % 64) / 8) + (x % 64) / 8) + 8 * (y % 8) +
           x % 8;
}

std::vector<uint8_t> data_of(size_t n) {
    std::vector<uint8_t> d(n);
    for (size_t i = 0; i < n; ++i) d[i] = static_cast<uint8_t>(i * 31 + i / 256 + 1);
    return d;
}

class BinTest : public testing::Test {
  protected:
    void SetUp() override { test::reset_settings(tmp.path()); }
    bool convert(const std::string& file) {
        return convert_bin(make_convert_job(tmp.file(file).c_str(), false));
    }
    std::string text_of(const std::string& file) {
        auto b = test::read_file(tmp.file(file));
        return std::string(b.begin(), b.end());
    }
    test::TempDir tmp;
};

}  // namespace

TEST(BinLayout, ExampleOffsets) {
    EXPECT_EQ(body_offset(7), 7u);
    EXPECT_EQ(body_offset(8), 64u);
    EXPECT_EQ(body_offset(64), 4096u);
    EXPECT_EQ(body_offset(256), 8u);
    EXPECT_EQ(bin_part_count(1), 1u);
    EXPECT_EQ(bin_part_count(49152), 1u);
    EXPECT_EQ(bin_part_count(49153), 2u);
    EXPECT_EQ(bin_part_count(0xFFFFFFFFull), 87382u);
}

TEST_F(BinTest, OneByte) {
    test::write_file(tmp.file("one.dat"), std::vector<uint8_t>{0xAB});
    ASSERT_TRUE(convert("one.dat"));
    auto p = test::read_ptc(tmp.file("one_BIN.ptc"));
    EXPECT_TRUE(p.valid);
    EXPECT_EQ(p.type_code, 2u);
    EXPECT_EQ(p.type_string, "PETC0100RGRP");
    EXPECT_EQ(p.name, "ONE");
    std::vector<uint8_t> want(49152, 0);
    want[0] = 0xAB;
    EXPECT_EQ(p.body, want);
    // One part: no separator line in the DATA text.
    EXPECT_EQ(text_of("one_DATA.txt").find("' &H"), std::string::npos);
}

TEST_F(BinTest, EveryByteLandsWhereTheLayoutSays) {
    auto data = data_of(49152);
    test::write_file(tmp.file("full.bin"), data);
    ASSERT_TRUE(convert("full.bin"));
    auto p = test::read_ptc(tmp.file("full_BIN.ptc"));
    ASSERT_EQ(p.body.size(), 49152u);
    for (uint32_t k = 0; k < 49152; ++k) ASSERT_EQ(p.body[body_offset(k)], data[k]) << k;
    EXPECT_FALSE(test::file_exists(tmp.file("full_BIN0.ptc")));
}

TEST_F(BinTest, OneByteMoreMakesTwoParts) {
    auto data = data_of(49153);
    test::write_file(tmp.file("two.bin"), data);
    ASSERT_TRUE(convert("two.bin"));
    EXPECT_FALSE(test::file_exists(tmp.file("two_BIN.ptc")));
    auto p0 = test::read_ptc(tmp.file("two_BIN0.ptc"));
    auto p1 = test::read_ptc(tmp.file("two_BIN1.ptc"));
    EXPECT_EQ(p0.name, "TWO0");
    EXPECT_EQ(p1.name, "TWO1");
    EXPECT_EQ(p0.body[body_offset(49151)], data[49151]);
    std::vector<uint8_t> want(49152, 0);
    want[0] = data[49152];
    EXPECT_EQ(p1.body, want);
    std::string text = text_of("two_DATA.txt");
    size_t first = text.find("' &H0 - &HBFFF\r");
    size_t second = text.find("' &HC000 - &H17FFF\r");
    ASSERT_EQ(first, 0u);
    ASSERT_NE(second, std::string::npos);
    EXPECT_EQ(text.find('\n'), std::string::npos);
    // 768 DATA lines of part 0 between the separators.
    size_t lines = 0;
    for (size_t at = text.find("DATA ", first); at < second; at = text.find("DATA ", at + 1))
        ++lines;
    EXPECT_EQ(lines, 768u);
}

TEST_F(BinTest, LongAndNamelessBaseNames) {
    auto data = data_of(49153);
    test::write_file(tmp.file("abcdefghij.dat"), data);
    ASSERT_TRUE(convert("abcdefghij.dat"));
    EXPECT_EQ(test::read_ptc(tmp.file("abcdefghij_BIN0.ptc")).name, "ABCDEFGH");
    EXPECT_EQ(test::read_ptc(tmp.file("abcdefghij_BIN1.ptc")).name, "ABCDEFGH");
    test::write_file(tmp.file("\x82\xA0.dat"), data);
    ASSERT_TRUE(convert("\x82\xA0.dat"));
    EXPECT_EQ(test::read_ptc(tmp.file("\x82\xA0_BIN0.ptc")).name, "BIN0");
    EXPECT_EQ(test::read_ptc(tmp.file("\x82\xA0_BIN1.ptc")).name, "BIN1");
}

TEST_F(BinTest, EmptyOrMissingInputWritesNothing) {
    test::write_file(tmp.file("empty.dat"), std::vector<uint8_t>{});
    EXPECT_FALSE(convert("empty.dat"));
    EXPECT_FALSE(convert("missing.dat"));
    EXPECT_FALSE(test::file_exists(tmp.file("empty_BIN.ptc")));
    EXPECT_FALSE(test::file_exists(tmp.file("empty_DATA.txt")));
    EXPECT_FALSE(test::file_exists(tmp.file("missing_DATA.txt")));
}

TEST_F(BinTest, DataTextReplacesALongerOldOne) {
    test::write_file(tmp.file("x_DATA.txt"), std::string(300000, 'Z'));
    test::write_file(tmp.file("x.dat"), std::vector<uint8_t>{1, 2, 3});
    ASSERT_TRUE(convert("x.dat"));
    std::string text = text_of("x_DATA.txt");
    EXPECT_EQ(text.find('Z'), std::string::npos);
    EXPECT_EQ(text.size(), 768u * (6 + 128 + 2));
}

TEST_F(BinTest, FailedPartStillWritesTheOthers) {
    test::write_file(tmp.file("p.dat"), data_of(49153));
    g_settings.TextOut = 0;
    ASSERT_TRUE(make_directory(tmp.file("p_BIN0.ptc").c_str()));  // part 0 cannot be written
    EXPECT_FALSE(convert("p.dat"));
    EXPECT_TRUE(test::read_ptc(tmp.file("p_BIN1.ptc")).valid);
}

#ifndef _WIN32
TEST_F(BinTest, FourGibibytesAreRefused) {
    // Sparse files: no disk space is used. 4 GiB - 1 would convert; 4 GiB is refused at once.
    std::string path = tmp.file("huge.dat");
    {
        File f = File::open_write(path.c_str());
        ASSERT_TRUE(f.seek_relative(static_cast<int64_t>(kBinMaxBytes) - 1));
        ASSERT_TRUE(f.write("x", 1));
    }
    EXPECT_FALSE(convert("huge.dat"));
    EXPECT_FALSE(test::file_exists(tmp.file("huge_BIN0.ptc")));
    EXPECT_FALSE(test::file_exists(tmp.file("huge_DATA.txt")));
}
#endif

}  // namespace tw
