#include "platform/files.h"

#include <gtest/gtest.h>

#include <string>

#include "support/temp_dir.h"

namespace tw {
using test::read_file;
using test::TempDir;

TEST(Files, OpenReadOnlyWhenTheFileExists) {
    TempDir tmp;
    EXPECT_FALSE(File::open_read(tmp.file("missing").c_str()).is_open());
    EXPECT_FALSE(test::file_exists(tmp.file("missing")));
    EXPECT_FALSE(File::open_read(tmp.path().c_str()).is_open());  // a folder is no file
}

TEST(Files, WriteKeepsThenTruncateCuts) {
    TempDir tmp;
    std::string p = tmp.file("f.bin");
    test::write_file(p, std::string("0123456789"));
    {
        File f = File::open_write(p.c_str());
        ASSERT_TRUE(f.is_open());
        ASSERT_TRUE(f.write("ab", 2));
    }
    EXPECT_EQ(read_file(p),
              (std::vector<uint8_t>{'a', 'b', '2', '3', '4', '5', '6', '7', '8', '9'}));
    {
        File f = File::open_write(p.c_str());
        ASSERT_TRUE(f.write("xyz", 3));
        ASSERT_TRUE(f.truncate_here());
    }
    EXPECT_EQ(read_file(p), (std::vector<uint8_t>{'x', 'y', 'z'}));
}

TEST(Files, SizeSeekAndByteReads) {
    TempDir tmp;
    std::string p = tmp.file("f.bin");
    std::string content(70000, 'x');
    content[0] = 'A';
    content[69999] = 'Z';
    test::write_file(p, content);
    File f = File::open_read(p.c_str());
    uint64_t size = 0;
    ASSERT_TRUE(f.size(&size));
    EXPECT_EQ(size, 70000u);
    ASSERT_TRUE(f.seek_relative(69998));
    char two[2];
    ASSERT_TRUE(f.read_exact(two, 2));
    EXPECT_EQ(two[1], 'Z');
    EXPECT_FALSE(f.read_exact(two, 1));
    ASSERT_TRUE(f.seek_relative(-70000));
    ByteReader r(f);
    size_t count = 0;
    int first = r.next(), last = first;
    for (int c = first; c >= 0; c = r.next(), ++count) last = c;
    EXPECT_EQ(first, 'A');
    EXPECT_EQ(last, 'Z');
    EXPECT_EQ(count, 70000u);
    EXPECT_EQ(r.next(), -1);
}

TEST(Files, InjectedShortWriteFails) {
    TempDir tmp;
    File f = File::open_write(tmp.file("f.bin").c_str());
    set_write_fault_budget(5);
    EXPECT_TRUE(f.write("abc", 3));
    EXPECT_FALSE(f.write("defg", 4));
    EXPECT_FALSE(f.write("h", 1));
    set_write_fault_budget(-1);
    EXPECT_TRUE(f.write("h", 1));
}

TEST(Files, FoldersOneLevelAtATime) {
    TempDir tmp;
    std::string a = tmp.file("a"), ab = tmp.file("a/b"), xy = tmp.file("x/y");
    EXPECT_FALSE(is_directory(a.c_str()));
    EXPECT_TRUE(make_directory(a.c_str()));
    EXPECT_TRUE(is_directory(a.c_str()));
    EXPECT_TRUE(make_directory(ab.c_str()));
    EXPECT_FALSE(make_directory(xy.c_str()));  // parents are not made
    EXPECT_FALSE(make_directory(a.c_str()));   // it exists already
    char cwd[260];
    EXPECT_TRUE(current_directory(cwd, sizeof cwd));
    EXPECT_FALSE(current_directory(cwd, 2));
}

#ifndef _WIN32
TEST(Files, DiskFullIsAFailedWrite) {
    File f = File::open_write("/dev/full");
    ASSERT_TRUE(f.is_open());
    EXPECT_FALSE(f.write("x", 1));
}
#endif

}  // namespace tw
