#include "image/ptc_container.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "common/failure.h"
#include "platform/files.h"
#include "platform/md5.h"
#include "resources/texts.h"
#include "support/temp_dir.h"

namespace tw {
using test::TempDir;

namespace {

uint32_t u32_at(const std::vector<uint8_t>& b, size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}

ConvertJob job_for(const std::string& out_path, const char* res_name) {
    ConvertJob job{};
    out_path.copy(job.out_path, sizeof job.out_path - 1);
    std::strncpy(job.res_name, res_name, sizeof job.res_name - 1);
    return job;
}

}  // namespace

TEST(WritePtc, ExactBytesForEveryBodySize) {
    TempDir tmp;
    // Every kind, with its prefix and type code as the target reads them.
    const struct {
        const ResourceKind& kind;
        uint32_t body;
        const char* prefix;
        uint32_t type_code;
    } cases[] = {
        {kPrgKind, 1, "PETITCOMPETC0300RPRG", 0},     {kMemKind, 516, "PETITCOMPETC0200RMEM", 1},
        {kGrpKind, 49152, "PETITCOMPETC0100RGRP", 2}, {kChrKind, 8192, "PETITCOMPETC0100RCHR", 3},
        {kScrKind, 8192, "PETITCOMPETC0100RSCR", 4},  {kColKind, 512, "PETITCOMPETC0100RCOL", 5}};
    EXPECT_EQ(resource_kind_by_tag("BIN"), nullptr);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.prefix);
        EXPECT_EQ(c.kind.type_code, c.type_code);
        EXPECT_STREQ(c.kind.tag(), c.prefix + 17);
        EXPECT_EQ(resource_kind_by_tag(c.prefix + 17), &c.kind);
        EXPECT_EQ(c.kind.body_length, &c.kind == &kPrgKind ? 0 : c.body);
        ResourceBuffer buf(c.kind, c.body);
        ASSERT_FALSE(buf.empty());
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(buf.data()), 20), c.prefix);
        for (uint32_t i = 0; i < c.body; ++i) buf.body()[i] = static_cast<uint8_t>(i * 7 + 3);
        std::string path = tmp.file("out.ptc");
        ConvertJob job = job_for(path, "ABC");
        ASSERT_TRUE(write_ptc(job, buf, c.kind.type_code));
        auto f = test::read_file(path);
        ASSERT_EQ(f.size(), buf.length() + 28u);
        EXPECT_EQ(std::string(f.begin(), f.begin() + 4), "PX01");
        EXPECT_EQ(u32_at(f, 4), c.body + 12);
        EXPECT_EQ(u32_at(f, 8), c.type_code);
        EXPECT_EQ(std::vector<uint8_t>(f.begin() + 12, f.begin() + 20),
                  (std::vector<uint8_t>{'A', 'B', 'C', 0, 0, 0, 0, 0}));
        EXPECT_EQ(std::string(f.begin() + 36, f.begin() + 48), std::string(c.prefix + 8, 12));
        EXPECT_EQ(0, std::memcmp(f.data() + 48, buf.body(), c.body));
        // The digest covers "PETITCOM" and file bytes 36 to the end.
        std::vector<uint8_t> hashed{'P', 'E', 'T', 'I', 'T', 'C', 'O', 'M'};
        hashed.insert(hashed.end(), f.begin() + 36, f.end());
        uint8_t digest[16];
        ASSERT_TRUE(md5_digest(hashed.data(), hashed.size(), digest));
        EXPECT_EQ(0, std::memcmp(f.data() + 20, digest, 16));
    }
}

TEST(WritePtc, KnownDigestOfOneByteBody) {
    // MD5("PETITCOMPETC0300RPRG" "A") computed independently.
    TempDir tmp;
    ResourceBuffer buf(kPrgKind, 1);
    buf.body()[0] = 'A';
    ASSERT_TRUE(write_ptc(job_for(tmp.file("a.ptc"), "PRG"), buf, 0));
    auto f = test::read_file(tmp.file("a.ptc"));
    ASSERT_EQ(f.size(), 49u);
    EXPECT_EQ(u32_at(f, 4), 13u);
    const uint8_t want[16] = {0x27, 0xe5, 0x32, 0xad, 0x99, 0x2b, 0x52, 0x98,
                              0x12, 0xa2, 0xe5, 0x99, 0x5c, 0x20, 0x9f, 0x6f};
    EXPECT_EQ(0, std::memcmp(f.data() + 20, want, 16));
}

TEST(WritePtc, NameAndTypeCodeDoNotChangeTheDigest) {
    TempDir tmp;
    ResourceBuffer buf(kColKind);
    ASSERT_TRUE(write_ptc(job_for(tmp.file("a.ptc"), "NAME1234XYZ"), buf, 5));
    ASSERT_TRUE(write_ptc(job_for(tmp.file("b.ptc"), "Q"), buf, 2));
    auto a = test::read_file(tmp.file("a.ptc"));
    auto b = test::read_file(tmp.file("b.ptc"));
    EXPECT_EQ(std::string(a.begin() + 12, a.begin() + 20), "NAME1234");  // no terminator
    EXPECT_EQ(std::vector<uint8_t>(a.begin() + 20, a.begin() + 36),
              std::vector<uint8_t>(b.begin() + 20, b.begin() + 36));
}

TEST(WritePtc, LongerOldFileIsReplacedCompletely) {
    TempDir tmp;
    std::string path = tmp.file("out.ptc");
    test::write_file(path, std::vector<uint8_t>(100000, 0xEE));
    ResourceBuffer buf(kColKind);
    ASSERT_TRUE(write_ptc(job_for(path, "X"), buf, 5));
    EXPECT_EQ(test::read_file(path).size(), 560u);
}

TEST(WritePtc, NoBodyWritesNothing) {
    TempDir tmp;
    std::string path = tmp.file("out.ptc");
    ResourceBuffer twenty(kChrKind, 0);
    clear_failure();
    EXPECT_FALSE(write_ptc(job_for(path, "X"), twenty.data(), twenty.length(), 3));
    EXPECT_EQ(last_failure_reason(), &kReasonNoBody);
    EXPECT_FALSE(write_ptc(job_for(path, "X"), ResourceBuffer(), 3));
    EXPECT_FALSE(test::file_exists(path));
}

TEST(WritePtc, UnopenableOutputFails) {
    TempDir tmp;
    ResourceBuffer buf(kColKind);
    clear_failure();
    EXPECT_FALSE(write_ptc(job_for(tmp.file("no/such/dir.ptc"), "X"), buf, 5));
    EXPECT_EQ(last_failure_reason(), &kReasonWriteOutput);
}

TEST(WritePtc, ShortWriteIsAFailureAndLeavesNoFile) {
    TempDir tmp;
    std::string path = tmp.file("out.ptc");
    ResourceBuffer buf(kChrKind);
    for (int64_t budget : {0, 20, 36, 1000, 8239}) {
        set_write_fault_budget(budget);
        EXPECT_FALSE(write_ptc(job_for(path, "X"), buf, 3)) << budget;
        set_write_fault_budget(-1);
        EXPECT_FALSE(test::file_exists(path)) << budget;
    }
    set_write_fault_budget(8240);
    EXPECT_TRUE(write_ptc(job_for(path, "X"), buf, 3));
    set_write_fault_budget(-1);
}

#ifndef _WIN32
TEST(WritePtc, DiskFullIsAFailure) {
    ResourceBuffer buf(kChrKind);
    EXPECT_FALSE(write_ptc(job_for("/dev/full", "X"), buf, 3));
}
#endif

TEST(ResourceName, ByteClasses) {
    const struct {
        const char* base;
        const char* name;  // nullptr: no name
    } cases[] = {
        {"sprite_01x", "SPRITE_0"},
        {"abc", "ABC"},
        {"My Pic", "MY PIC"},
        {"{abc", nullptr},
        {"", nullptr},
        {"\x83\x5C\x83\x5C", nullptr},  // begins with a Shift-JIS character
        {"ab\x83\x5C"
         "cd",
         "AB"},  // cut at the first lead byte
        {"a\x01"
         "bc",
         "A"},                 // control byte
        {"AZ{|}~\x7F", "AZ"},  // 0x7B to 0x7F end the name
        {"x|y", "X"},
        {"@[\\]^_`", "@[\\]^_`"},  // 0x40 to 0x60 stay, the grave accent too
        {" !09:?", " !09:?"},
        {"abcdefgh", "ABCDEFGH"},
        {"abcdefghijk", "ABCDEFGH"},
        {"\x7Fzz", nullptr},
        {"zz\xFFzz", "ZZ"},
    };
    for (const auto& c : cases) {
        char res[16] = "KEEP";
        bool ok = make_resource_name(c.base, res);
        if (c.name == nullptr) {
            EXPECT_FALSE(ok) << c.base;
            EXPECT_STREQ(res, "KEEP") << c.base;
        } else {
            EXPECT_TRUE(ok) << c.base;
            EXPECT_STREQ(res, c.name) << c.base;
        }
    }
}

TEST(ResourceBuffer, PrefixAndZeroBody) {
    ResourceBuffer buf(kScrKind);
    ASSERT_EQ(buf.length(), 8212u);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(buf.data()), 20), "PETITCOMPETC0100RSCR");
    EXPECT_EQ(buf.body_length(), 8192u);
    EXPECT_EQ(buf.body()[8191], 0);
    EXPECT_TRUE(ResourceBuffer(kScrKind, 0xFFFFFFFFull).empty());  // length would overflow
}

}  // namespace tw
