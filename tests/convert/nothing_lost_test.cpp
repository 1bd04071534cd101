// Outputs are whole or untouched: every write goes to a temporary that takes
// the older file's place only when complete.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <string>

#include "batch/batch.h"
#include "platform/files.h"
#include "platform/memory_files.h"
#include "settings/settings.h"
#include "support/bmp_writer.h"
#include "support/ptc_builder.h"
#include "support/temp_dir.h"
#include "text/mem_text.h"
#include "text/scr_screen.h"

namespace tw {
namespace {

namespace fs = std::filesystem;
using Files = std::map<std::string, std::vector<uint8_t>>;

// Every file below dir but the inputs, by path relative to dir.
Files outputs_in(const std::string& dir, const std::vector<std::string>& inputs) {
    Files out;
    for (const auto& e : fs::recursive_directory_iterator(dir)) {
        if (!e.is_regular_file()) continue;
        const std::string rel = fs::relative(e.path(), dir).generic_string();
        bool input = false;
        for (const auto& i : inputs) input = input || rel == i;
        if (!input) out[rel] = test::read_file(e.path().string());
    }
    return out;
}

// Every output is the fresh one or the older copy ("older NAME") it replaced,
// nothing more is there, and ok says whether all are fresh.
void expect_new_or_older(const Files& fresh, Files& now, bool ok) {
    ASSERT_EQ(now.size(), fresh.size()) << "a temporary was left, or an output lost";
    bool all_new = true;
    for (const auto& [name, bytes] : fresh) {
        const std::string old = "older " + name;
        const bool is_new = now[name] == bytes;
        EXPECT_TRUE(is_new || now[name] == std::vector<uint8_t>(old.begin(), old.end())) << name;
        all_new = all_new && is_new;
    }
    EXPECT_EQ(ok, all_new);
}

TEST(OutputFile, CommitReplacesAndFailureKeepsTheOlderFile) {
    test::TempDir tmp;
    const std::string path = tmp.file("out.bin");
    test::write_file(path, std::string("older"));
    {
        OutputFile f(path.c_str());
        ASSERT_TRUE(f.write("new", 3));
        EXPECT_EQ(test::read_file(path), std::vector<uint8_t>({'o', 'l', 'd', 'e', 'r'}));
        // Not committed: the older file stays and the temporary goes.
    }
    EXPECT_EQ(outputs_in(tmp.path(), {}).size(), 1u);
    EXPECT_EQ(test::read_file(path).size(), 5u);
    set_write_fault_budget(2);
    EXPECT_FALSE(write_whole_file(path.c_str(), "newer", 5));
    set_write_fault_budget(-1);
    EXPECT_EQ(test::read_file(path).size(), 5u);
    EXPECT_EQ(outputs_in(tmp.path(), {}).size(), 1u);
    EXPECT_TRUE(write_whole_file(path.c_str(), "new", 3));
    EXPECT_EQ(test::read_file(path), std::vector<uint8_t>({'n', 'e', 'w'}));
    EXPECT_EQ(outputs_in(tmp.path(), {}).size(), 1u);
    ASSERT_TRUE(make_directory(tmp.file("folder").c_str()));
    EXPECT_FALSE(OutputFile(tmp.file("folder").c_str()).is_open());  // nothing to put in its place
}

// An output equal to the file already there leaves that file alone (no write,
// no rename: its time stamp stays); any difference, longer or shorter, anywhere
// in one write or across several, replaces it with exactly the new bytes.
TEST(OutputFile, EqualOutputLeavesTheOlderFileAndAnyDifferenceReplacesIt) {
    test::TempDir tmp;
    const std::string path = tmp.file("out.bin");
    std::string older(150000, '\0');
    for (size_t i = 0; i < older.size(); ++i) older[i] = static_cast<char>(i * 7 % 251);
    // The same bytes; one fewer; one more; the first byte and a byte in the middle changed; none.
    std::vector<std::string> outputs(6, older);
    outputs[1].pop_back();
    outputs[2].push_back('x');
    outputs[3][0] = 'y';
    outputs[4][100000] = 'z';
    outputs[5].clear();
    for (size_t k = 0; k < outputs.size(); ++k) {
        for (size_t pieces : {997u, 70000u, 150001u}) {
            test::write_file(path, older);
            const auto before = std::filesystem::last_write_time(path);
            std::filesystem::last_write_time(path, before - std::chrono::hours(1));
            set_write_fault_budget(0);  // an unchanged output must write nothing at all
            const bool same = outputs[k] == older;
            if (!same) set_write_fault_budget(-1);
            OutputFile f(path.c_str());
            const std::string& out = outputs[k];
            bool ok = f.is_open();
            for (size_t at = 0; at < out.size(); at += pieces)
                ok = ok && f.write(out.data() + at, std::min(pieces, out.size() - at));
            ok = ok && f.commit();
            set_write_fault_budget(-1);
            EXPECT_TRUE(ok) << k << " " << pieces;
            const auto bytes = test::read_file(path);
            EXPECT_EQ(std::string(bytes.begin(), bytes.end()), out) << k << " " << pieces;
            EXPECT_EQ(std::filesystem::last_write_time(path) == before - std::chrono::hours(1),
                      same)
                << k << " " << pieces;
            EXPECT_EQ(outputs_in(tmp.path(), {}).size(), 1u);
        }
    }
}

// Runs `convert` over the inputs in a fresh folder, first whole, then with the
// writes failing after every so many bytes, each time over older copies of all
// outputs: each output is then new or untouched, and the conversion reports
// failure exactly when one is not new.
void expect_whole_or_untouched(const std::function<void(const std::string& dir)>& setup,
                               const std::vector<std::string>& inputs,
                               const std::function<bool(const std::string& dir)>& convert) {
    Files fresh;
    {
        test::TempDir tmp;
        test::reset_settings(tmp.path());
        setup(tmp.path());
        ASSERT_TRUE(convert(tmp.path()));
        fresh = outputs_in(tmp.path(), inputs);
    }
    ASSERT_GE(fresh.size(), 2u);
    uint64_t total = 0;
    for (const auto& [name, bytes] : fresh) total += bytes.size();
    int failed = 0, succeeded = 0;
    for (uint64_t budget = 0; budget <= total + 4096; budget += 1 + total / 97) {
        SCOPED_TRACE(budget);
        test::TempDir tmp;
        test::reset_settings(tmp.path());
        setup(tmp.path());
        for (const auto& [name, bytes] : fresh) {
            fs::create_directories(fs::path(tmp.file(name)).parent_path());
            test::write_file(tmp.file(name), std::string("older ") + name);
        }
        set_write_fault_budget(static_cast<int64_t>(budget));
        const bool ok = convert(tmp.path());
        set_write_fault_budget(-1);
        Files now = outputs_in(tmp.path(), inputs);
        expect_new_or_older(fresh, now, ok);
        ++(ok ? succeeded : failed);
    }
    EXPECT_GT(failed, 0);
    EXPECT_GT(succeeded, 0);
}

TEST(NothingLost, ImagesTextsBinaryDataAndExtraction) {
    auto picture = [](const std::string& dir) {
        test::BmpFixture f;
        f.width = 256;
        f.height = 256;
        f.palette = test::ramp_palette(256);
        for (int i = 0; i < 256 * 256; ++i) f.pixels.push_back(static_cast<uint8_t>(i * 7 / 5));
        test::write_bmp_file(dir + "/pic.bmp", f);
        g_settings.TextOut = 1;
    };
    auto convert = [](const std::string& file) {
        return [file](const std::string& dir) { return convert_file((dir + "/" + file).c_str()); };
    };
    expect_whole_or_untouched(picture, {"pic.bmp"}, convert("pic.bmp"));  // COL, 4 CHR, DATA text
    auto data = [](const std::string& dir) {
        std::vector<uint8_t> bytes(120000);
        for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<uint8_t>(i % 251);
        test::write_file(dir + "/notes.dat", bytes);
        g_settings.TextOut = 1;
    };
    expect_whole_or_untouched(data, {"notes.dat"}, convert("notes.dat"));  // 3 BIN parts, DATA text
    // A package of a program, two character sets, a palette, a screen and a graphic page.
    auto package = [](const std::string& dir) {
        std::vector<uint8_t> chr(8192), col(512), scr(8192), grp(49152);
        for (size_t i = 0; i < grp.size(); ++i) grp[i] = static_cast<uint8_t>(i * 13);
        for (size_t i = 0; i < chr.size(); ++i) chr[i] = scr[i] = static_cast<uint8_t>(i * 5);
        for (size_t i = 0; i < col.size(); ++i) col[i] = static_cast<uint8_t>(i);
        const uint32_t mask2 =
            1u << 8 | 1u << 9 | 1u << 13 | 1u << 16 | 1u << 18;  // BGU0-1, COL0, SCR0, GRP0
        test::write_file(dir + "/in.ptc",
                         test::make_ptc("PKG", 0,
                                        {{"PRG", test::prg_body(0, mask2, "PRINT 1\r"), ""},
                                         {"CHR", chr, ""},
                                         {"CHR", chr, ""},
                                         {"COL", col, ""},
                                         {"SCR", scr, ""},
                                         {"GRP", grp, ""}}));
    };
    expect_whole_or_untouched(package, {"in.ptc"}, convert("in.ptc"));
}

#ifndef _WIN32
// A file system that really fills: a small tmpfs, mounted when the tests run as root.
TEST(NothingLost, FullFileSystem) {
    test::TempDir tmp;
    const std::string mnt = tmp.file("small");
    fs::create_directories(mnt);
    if (geteuid() != 0 ||
        std::system(("mount -t tmpfs -o size=256k tmpfs '" + mnt + "' 2>/dev/null").c_str()) != 0)
        GTEST_SKIP() << "needs root and tmpfs";
    struct Unmount {
        std::string at;
        ~Unmount() { (void)std::system(("umount '" + at + "'").c_str()); }
    } unmount{mnt};
    test::reset_settings(mnt);
    test::BmpFixture f;
    f.width = 256;
    f.height = 192;
    f.palette = test::ramp_palette(256);
    for (int i = 0; i < 256 * 192; ++i) f.pixels.push_back(static_cast<uint8_t>(i % 253));
    test::write_bmp_file(mnt + "/page.bmp", f);
    g_settings.TextOut = 1;
    g_runtime.resource_type = RESOURCE_GRP;
    ASSERT_TRUE(convert_file((mnt + "/page.bmp").c_str()));
    const Files fresh = outputs_in(mnt, {"page.bmp"});
    // Leave less and less room: a filler file takes the rest.
    int failed = 0, succeeded = 0;
    for (int64_t room = 200 * 1024; room >= 4096; room -= 12 * 1024) {
        SCOPED_TRACE(room);
        fs::remove(mnt + "/filler");
        for (const auto& [name, bytes] : fresh)
            test::write_file(mnt + "/" + name, std::string("older ") + name);
        const auto space = fs::space(mnt);
        if (space.available > static_cast<uint64_t>(room))
            test::write_file(
                mnt + "/filler",
                std::vector<uint8_t>(space.available - static_cast<uint64_t>(room), 1));
        const bool ok = convert_file((mnt + "/page.bmp").c_str());
        Files now = outputs_in(mnt, {"page.bmp", "filler"});
        expect_new_or_older(fresh, now, ok);
        ++(ok ? succeeded : failed);
    }
    EXPECT_GT(failed, 0);
    EXPECT_GT(succeeded, 0);
}
#endif

TEST(NothingLost, ReadErrorsFailTheConversion) {
    MemoryFileSystem files;
    std::vector<uint8_t> mem = {'M', 'E', 'M', '$', '=', '"'};
    mem.insert(mem.end(), 600, 'A');
    mem.push_back('"');
    files.add_file("s_mem.txt", mem);
    files.add_file("s.rscr", std::vector<uint8_t>(8192, 0x11));
    for (const char* name : {"s_mem.txt", "s.rscr"}) {
        SCOPED_TRACE(name);
        ConvertJob job = make_convert_job(name, false);
        files.set_read_budget(100);
        ResourceBuffer body = job_has_ext(job, ".rscr") ? build_scr_body(job) : build_mem_body(job);
        EXPECT_TRUE(body.empty());
        files.set_read_budget(-1);
        EXPECT_FALSE(
            (job_has_ext(job, ".rscr") ? build_scr_body(job) : build_mem_body(job)).empty());
    }
}

}  // namespace
}  // namespace tw
