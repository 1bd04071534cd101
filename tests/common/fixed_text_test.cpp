#include "common/fixed_text.h"

#include <gtest/gtest.h>

namespace tw {

TEST(FixedText, CopyFitsExactlyOrFailsUntouched) {
    char buf[4] = "xy";
    EXPECT_TRUE(copy_text(buf, sizeof buf, "abc"));
    EXPECT_STREQ(buf, "abc");
    EXPECT_FALSE(copy_text(buf, sizeof buf, "abcd"));
    EXPECT_STREQ(buf, "abc");
}

TEST(FixedText, AppendAndFormatFailWithoutCutting) {
    char buf[8] = "ab";
    EXPECT_TRUE(append_text(buf, sizeof buf, "cdefg"));
    EXPECT_STREQ(buf, "abcdefg");
    EXPECT_FALSE(append_text(buf, sizeof buf, "h"));
    EXPECT_STREQ(buf, "abcdefg");
    EXPECT_TRUE(format_text(buf, sizeof buf, "%s%X", "AB", 31u));
    EXPECT_STREQ(buf, "AB1F");
    EXPECT_FALSE(format_text(buf, sizeof buf, "%s_CHR%d", "abc", 12));
    EXPECT_STREQ(buf, "AB1F");
}

TEST(FixedText, LengthStopsAtCapacity) {
    char full[3] = {'a', 'b', 'c'};
    EXPECT_EQ(text_length(full, sizeof full), 3u);
    EXPECT_EQ(text_length("ab\0cd", 5), 2u);
}

}  // namespace tw
