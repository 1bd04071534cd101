#include "platform/paths.h"

#include <gtest/gtest.h>

#include <string>

#include "resources/texts.h"

namespace tw {

TEST(SplitPath, Parts) {
    const struct {
        const char* path;
        const char* drive;
        const char* dir;
        const char* name;
        const char* ext;
    } cases[] = {
        {"C:\\a\\b.bmp", "C:", "\\a\\", "b", ".bmp"},
        {"C:\\x.bmp", "C:", "\\", "x", ".bmp"},
        {"/home/u/pic.BMP", "", "/home/u/", "pic", ".BMP"},
        {"D:/out\\mixed/a.txt.bak", "D:", "/out\\mixed/", "a.txt", ".bak"},
        {"README", "", "", "README", ""},
        {"dir.d/README", "", "dir.d/", "README", ""},
        {"C:name.ptc", "C:", "", "name", ".ptc"},
        {"folder/", "", "folder/", "", ""},
        {"/t/.hidden", "", "/t/", "", ".hidden"},
    };
    for (const auto& c : cases) {
        PathParts p;
        ASSERT_TRUE(split_path(c.path, p, shift_jis_lead_byte)) << c.path;
        EXPECT_STREQ(p.drive, c.drive) << c.path;
        EXPECT_STREQ(p.dir, c.dir) << c.path;
        EXPECT_STREQ(p.name, c.name) << c.path;
        EXPECT_STREQ(p.ext, c.ext) << c.path;
    }
}

TEST(SplitPath, ShiftJisTrailByteIsNotASeparatorOrDot) {
    // ソ is 0x83 0x5C: its second byte is the byte of '\'. 0x81 0x2E has '.' as trail byte.
    PathParts p;
    ASSERT_TRUE(split_path("C:\\w\\\x83\x5C\x83\x5C.bmp", p, shift_jis_lead_byte));
    EXPECT_STREQ(p.dir, "\\w\\");
    EXPECT_STREQ(p.name, "\x83\x5C\x83\x5C");
    EXPECT_STREQ(p.ext, ".bmp");
    ASSERT_TRUE(
        split_path("a\\b\x81\x2E"
                   "c",
                   p, shift_jis_lead_byte));
    EXPECT_STREQ(p.name,
                 "b\x81\x2E"
                 "c");
    EXPECT_STREQ(p.ext, "");
    // Without the lead-byte test the same bytes split at the trail byte.
    ASSERT_TRUE(split_path("C:\\w\\\x83\x5C.bmp", p, [](unsigned char) { return false; }));
    EXPECT_STREQ(p.dir, "\\w\\\x83\\");
}

TEST(SplitPath, RefusesPathsThatDoNotFit) {
    PathParts p;
    EXPECT_TRUE(split_path(std::string(259, 'a').c_str(), p, shift_jis_lead_byte));
    EXPECT_FALSE(split_path(std::string(260, 'a').c_str(), p, shift_jis_lead_byte));
}

}  // namespace tw

namespace tw {

// Names Windows would take as other names, or refuse, in code page 932; ソ (0x83 0x5C) is fine.
TEST(WindowsNameFault, ShiftJisNames) {
    auto carried = [](std::string_view name) {
        for (char c : name)
            if (static_cast<unsigned char>(c) >= 0xFD) return false;  // no character in 932
        return true;
    };
    const struct {
        const char* name;
        const Text* fault;
    } cases[] = {
        {"HERO", nullptr},
        {"\x83\x5C", nullptr},
        {"A\x83\x5C"
         "B",
         nullptr},
        {"..", &kNameTrailingDot},
        {"AB.", &kNameTrailingDot},
        {"AB ", &kNameTrailingDot},
        {"A.B", nullptr},
        {"A:B", &kNameReservedCharacter},
        {"A?", &kNameReservedCharacter},
        {"A*B", &kNameReservedCharacter},
        {"<", &kNameReservedCharacter},
        {"\"", &kNameReservedCharacter},
        {"|", &kNameReservedCharacter},
        {"A\x01", &kNameControlByte},
        {"\x1F"
         "A",
         &kNameControlByte},
        {"AB\x83", &kNameEndsInLeadByte},
        {"\x83\x5C\x83", &kNameEndsInLeadByte},
        {"A\xFD", &kNameNotInCodePage},
        {"\x83:", nullptr},  // ':' as a trail byte
    };
    for (const auto& c : cases)
        EXPECT_EQ(windows_name_fault(c.name, shift_jis_lead_byte, carried), c.fault)
            << shown_name(c.name);
    EXPECT_EQ(shown_name("A\x83\x5C\x01"), "A\\x83\\\\x01");
}

}  // namespace tw
