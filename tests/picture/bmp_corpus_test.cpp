// The public BMP test suite: every file is converted correctly or refused with
// nothing written, and the indexed images of its good folder read pixel for
// pixel as ImageMagick reads them.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "batch/batch.h"
#include "picture/bmp_image.h"
#include "settings/settings.h"
#include "support/image_fixtures.h"
#include "support/imagemagick.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;

namespace tw {

namespace {

fs::path corpus() {
    return fs::path(TW_TEST_DATA_DIR) / "bmpsuite";
}

std::vector<fs::path> corpus_files(const char* folder) {
    std::vector<fs::path> files;
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(corpus() / folder, ec))
        if (e.path().extension() == ".bmp") files.push_back(e.path());
    std::sort(files.begin(), files.end());
    return files;
}

size_t files_in(const std::string& dir) {
    size_t n = 0;
    for (const auto& e : fs::recursive_directory_iterator(dir)) n += e.is_regular_file();
    return n;
}

}  // namespace

TEST(BmpCorpus, ConvertedOrRefusedWithNothingWritten) {
    size_t seen = 0, converted = 0;
    for (const char* folder : {"g", "q", "b", "x"}) {
        for (const auto& file : corpus_files(folder)) {
            for (uint16_t type : {RESOURCE_BG, RESOURCE_GRP}) {
                test::TempDir tmp;
                test::reset_settings(tmp.path());
                g_settings.AutoTrim = 0;
                g_settings.PAL_Fix_1bit = 0;
                g_runtime.resource_type = type;
                std::string in = tmp.file(file.filename().string());
                fs::copy_file(file, in);
                bool ok = convert_file(in.c_str());
                std::string name = file.stem().string();
                if (ok) {
                    ++converted;
                    const char* suffix = type == RESOURCE_GRP ? "_GRP" : "_CHR";
                    bool any = false;
                    for (const auto& e : fs::directory_iterator(tmp.path())) {
                        std::string out = e.path().filename().string();
                        if (out.find(suffix) == std::string::npos || e.path().extension() != ".ptc")
                            continue;
                        any = true;
                        EXPECT_TRUE(test::read_ptc(e.path().string()).valid) << out;
                    }
                    EXPECT_TRUE(any) << folder << "/" << name;
                    EXPECT_TRUE(test::read_ptc(tmp.file(name + "_COL.ptc")).valid) << name;
                } else {
                    EXPECT_EQ(files_in(tmp.path()), 1u) << folder << "/" << name << " left files";
                }
                ++seen;
            }
        }
    }
    ASSERT_GT(seen, 50u) << "the corpus at " << corpus() << " was not read";
    EXPECT_GT(converted, 10u);
}

#ifndef _WIN32
using test::decode_rgb;
using test::imagemagick;

TEST(BmpCorpus, IndexedGoodImagesReadAsAnIndependentDecoderReadsThem) {
    if (!imagemagick()) GTEST_SKIP() << "ImageMagick is not installed";
    const char* names[] = {"pal1.bmp",          "pal1bg.bmp",      "pal1wb.bmp",  "pal4.bmp",
                           "pal4gs.bmp",        "pal8-0.bmp",      "pal8.bmp",    "pal8gs.bmp",
                           "pal8nonsquare.bmp", "pal8topdown.bmp", "pal8v4.bmp",  "pal8v5.bmp",
                           "pal8w124.bmp",      "pal8w125.bmp",    "pal8w126.bmp"};
    test::TempDir tmp;
    test::reset_settings(tmp.path());
    g_settings.PAL_Fix_1bit = 0;
    for (const char* name : names) {
        fs::path file = corpus() / "g" / name;
        ASSERT_TRUE(fs::exists(file)) << file;
        ConvertJob job{};
        std::snprintf(job.path, sizeof job.path, "%s", file.string().c_str());
        BmpImage img = read_bmp(job, 1, 1, 255);
        ASSERT_NE(img.pixel_count, 0u) << name;
        auto rgb = decode_rgb(file);
        ASSERT_EQ(rgb.size(), 3u * img.pixel_count) << name;
        for (uint32_t i = 0; i < img.pixel_count; ++i) {
            uint8_t index = img.pixels[i];
            uint16_t ours =
                static_cast<uint16_t>(img.col[20 + 2 * index] | img.col[21 + 2 * index] << 8);
            ASSERT_EQ(ours, rgb_to_col(rgb[3 * i], rgb[3 * i + 1], rgb[3 * i + 2]))
                << name << " pixel " << i % static_cast<uint32_t>(img.width) << ","
                << i / static_cast<uint32_t>(img.width);
        }
    }
}
#endif

}  // namespace tw
