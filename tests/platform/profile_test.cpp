#include "platform/profile.h"

#include <gtest/gtest.h>

#include <string>

#include "support/temp_dir.h"

namespace tw {
using test::TempDir;

namespace {
std::string text_of(const std::string& path) {
    auto b = test::read_file(path);
    return std::string(b.begin(), b.end());
}
}  // namespace

TEST(Profile, MissingFileGivesDefaults) {
    TempDir tmp;
    std::string p = tmp.file("none.ini");
    EXPECT_EQ(profile_read_int("Convert", "TextOut", -1, p.c_str()), -1);
    char buf[32];
    EXPECT_EQ(profile_read_string("Directory", "User", "dflt", buf, sizeof buf, p.c_str()), 4u);
    EXPECT_STREQ(buf, "dflt");
}

TEST(Profile, CaseInsensitiveSectionsAndKeys) {
    TempDir tmp;
    std::string p = tmp.file("s.ini");
    test::write_file(p, std::string("[convert]\r\nData_Type=0\r\nTextOut = 7 \r\n[Directory]\r\n"
                                    "USER=C:\\out\r\n"));
    EXPECT_EQ(profile_read_int("Convert", "DATA_Type", -1, p.c_str()), 0);
    EXPECT_EQ(profile_read_int("CONVERT", "textout", -1, p.c_str()), 7);
    EXPECT_EQ(profile_read_int("Convert", "AutoTrim", -1, p.c_str()), -1);
    EXPECT_EQ(profile_read_int("Directory", "TextOut", 5, p.c_str()), 5);  // other section
    char buf[32];
    profile_read_string("directory", "User", "", buf, sizeof buf, p.c_str());
    EXPECT_STREQ(buf, "C:\\out");
}

TEST(Profile, NegativeValuesReadBack) {
    TempDir tmp;
    std::string p = tmp.file("s.ini");
    ASSERT_TRUE(profile_write_string("Convert", "PAL_Fix_1bit", "-1", p.c_str()));
    EXPECT_EQ(profile_read_int("Convert", "PAL_Fix_1bit", 0, p.c_str()), -1);
    ASSERT_TRUE(profile_write_string("Convert", "X", "-42", p.c_str()));
    EXPECT_EQ(profile_read_int("Convert", "X", 0, p.c_str()), -42);
}

TEST(Profile, WriteReplacesOneKeyAndKeepsTheRest) {
    TempDir tmp;
    std::string p = tmp.file("s.ini");
    ASSERT_TRUE(profile_write_string("A", "one", "1", p.c_str()));
    ASSERT_TRUE(profile_write_string("B", "two", "2", p.c_str()));
    ASSERT_TRUE(profile_write_string("A", "three", "3", p.c_str()));
    ASSERT_TRUE(profile_write_string("a", "ONE", "11", p.c_str()));
    EXPECT_EQ(profile_read_int("A", "one", 0, p.c_str()), 11);
    EXPECT_EQ(profile_read_int("A", "three", 0, p.c_str()), 3);
    EXPECT_EQ(profile_read_int("B", "two", 0, p.c_str()), 2);
    EXPECT_EQ(profile_read_int("B", "one", 0, p.c_str()), 0);
    std::string t = text_of(p);
    EXPECT_EQ(t.find("[A]"), t.rfind("[A]"));   // the section is not repeated
    EXPECT_LT(t.find("three"), t.find("[B]"));  // a new key joins its own section
}

TEST(Profile, WriteKeepsUnrelatedLinesVerbatim) {
    TempDir tmp;
    std::string p = tmp.file("s.ini");
    test::write_file(
        p, std::string("; comment\r\n[Other]\r\nkeep=me\r\n\r\n[Convert]\r\nTextOut=1\r\n"));
    ASSERT_TRUE(profile_write_string("Convert", "TextOut", "0", p.c_str()));
    std::string t = text_of(p);
    EXPECT_NE(t.find("; comment\r\n[Other]\r\nkeep=me\r\n"), std::string::npos) << t;
    EXPECT_EQ(profile_read_int("Convert", "TextOut", -1, p.c_str()), 0);
    EXPECT_EQ(profile_read_int("Other", "keep", -1, p.c_str()), 0);
    char buf[8];
    profile_read_string("Other", "keep", "", buf, sizeof buf, p.c_str());
    EXPECT_STREQ(buf, "me");
}

TEST(Profile, LongStringIsCutToTheBuffer) {
    TempDir tmp;
    std::string p = tmp.file("s.ini");
    ASSERT_TRUE(profile_write_string("D", "User", "abcdefghij", p.c_str()));
    char buf[5];
    EXPECT_EQ(profile_read_string("D", "User", "", buf, sizeof buf, p.c_str()), 4u);
    EXPECT_STREQ(buf, "abcd");
}

}  // namespace tw
