// Pictures of every kind read to the samples their format defines, the same on
// every platform: the public BMP suite against an independent decoder, BMP bit
// fields and PNGs of every colour type, depth and interlacing built here with
// known samples, and the broken files refused with a reason.

#include "picture/picture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
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

bool decode(const std::vector<uint8_t>& bytes, Picture& out) {
    clear_failure();
    return decode_picture(bytes.data(), bytes.size(), out);
}

// A field of n bits as 8 bits, as the format's readers agree on it.
uint8_t scaled(uint32_t v, uint32_t n) {
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

// A direct-colour BMP: a 40-byte header with the masks after it, or a longer
// one holding them; bottom-up rows unless the height is negative.
std::vector<uint8_t> direct_bmp(uint32_t w, int32_t h, uint16_t bits, uint32_t header,
                                uint32_t compression, const uint32_t (&masks)[4],
                                const std::vector<uint32_t>& values) {
    const uint32_t rows = static_cast<uint32_t>(h < 0 ? -h : h);
    const uint32_t after = header == 40 ? (compression == 3 ? 12 : compression == 6 ? 16 : 0) : 0;
    const uint32_t offset = 14 + header + after;
    const uint32_t stride = (w * bits + 31) / 32 * 4;
    std::vector<uint8_t> b(offset + stride * rows);
    b[0] = 'B', b[1] = 'M';
    put_le32(&b[2], static_cast<uint32_t>(b.size()));
    put_le32(&b[10], offset);
    put_le32(&b[14], header);
    put_le32(&b[18], w);
    put_le32(&b[22], static_cast<uint32_t>(h));
    put_le16(&b[26], 1);
    put_le16(&b[28], bits);
    put_le32(&b[30], compression);
    const uint32_t stored = header >= 56 ? 4 : header >= 52 ? 3 : after / 4;
    for (uint32_t k = 0; k < stored; ++k) put_le32(&b[54 + 4 * k], masks[k]);
    for (uint32_t y = 0; y < rows; ++y) {
        uint8_t* row = &b[offset + (h < 0 ? y : rows - 1 - y) * stride];
        for (uint32_t x = 0; x < w; ++x)
            for (uint32_t k = 0; k < bits / 8u; ++k)
                row[x * bits / 8 + k] = static_cast<uint8_t>(values[y * w + x] >> (8 * k));
    }
    return b;
}

TEST(Picture, BmpBitFieldsScaledByTheirWidth) {
    std::mt19937 engine(11);
    const auto rng = [&engine] { return static_cast<uint32_t>(engine()); };
    const auto pick = [&rng](uint32_t lo, uint32_t hi) -> uint32_t {
        return lo + rng() % (hi - lo + 1);
    };
    int checked = 0, wide = 0, narrow = 0;
    for (int round = 0; round < 300; ++round) {
        const uint16_t bits = round % 3 == 0 ? 16 : round % 3 == 1 ? 32 : 24;
        const uint32_t headers[] = {40, 52, 56, 108, 124};
        const uint32_t header = headers[pick(0, 4)];
        uint32_t compression = bits == 24 ? 0 : round % 4 == 0 ? 0 : 3;
        if (compression == 3 && header == 40 && round % 2) compression = 6;
        const bool has_alpha = compression == 6 || (compression == 3 && header >= 56);
        // Fields of random widths in a random order, with gaps, inside the pixel.
        uint32_t masks[4] = {};
        if (compression == 0) {
            const uint32_t defaults[2][3] = {{0x7C00, 0x03E0, 0x001F}, {0xFF0000, 0xFF00, 0xFF}};
            for (int k = 0; k < 3; ++k) masks[k] = defaults[bits == 16 ? 0 : 1][k];
        } else {
            uint32_t order[4] = {0, 1, 2, 3};
            std::shuffle(order, order + 4, engine);
            uint32_t at = 0;
            for (uint32_t c : order) {
                if (c == 3 && !has_alpha) continue;
                const uint32_t room = bits - at - (3 - std::min<uint32_t>(3, c));
                const uint32_t width =
                    pick(1, std::max<uint32_t>(1, std::min<uint32_t>(room / 2, 12)));
                if (at + width > bits) break;
                masks[c] = (width == 32 ? ~0u : ((1u << width) - 1)) << at;
                at += width + pick(0, 1);
            }
            if (!masks[0] || !masks[1] || !masks[2]) continue;
        }
        const uint32_t w = pick(1, 9);
        const int32_t h = static_cast<int32_t>(pick(1, 5)) * (round % 5 == 0 ? -1 : 1);
        const uint32_t rows = static_cast<uint32_t>(h < 0 ? -h : h);
        std::vector<uint32_t> values(size_t{w} * rows);
        for (uint32_t& v : values)
            v = static_cast<uint32_t>(rng()) & (bits == 32 ? ~0u : (1u << bits) - 1);
        Picture p;
        ASSERT_TRUE(decode(direct_bmp(w, h, bits, header, compression, masks, values), p))
            << "round " << round << ": " << last_failure();
        ASSERT_EQ(p.pixels.size(), values.size());
        EXPECT_FALSE(p.indexed);
        ++checked;
        for (const uint32_t m : masks) {
            wide += std::popcount(m) > 8;
            narrow += m && std::popcount(m) < 8;
        }
        for (size_t i = 0; i < values.size(); ++i) {
            uint8_t want[4] = {0, 0, 0, 255};
            for (size_t k = 0; k < 4; ++k) {
                if (!masks[k] || (k == 3 && !has_alpha)) continue;
                const auto shift = static_cast<uint32_t>(std::countr_zero(masks[k]));
                want[k] = scaled((values[i] & masks[k]) >> shift,
                                 static_cast<uint32_t>(std::popcount(masks[k])));
            }
            ASSERT_EQ(p.pixels[i], (Rgba{want[0], want[1], want[2], want[3]}))
                << "round " << round << " pixel " << i;
        }
    }
    EXPECT_GT(checked, 200);
    EXPECT_GT(wide, 50);
    EXPECT_GT(narrow, 200);
}

TEST(Picture, PngOfEveryTypeAndDepthReadsToItsOwnSamples) {
    std::mt19937 engine(5);
    const auto rng = [&engine] { return static_cast<uint32_t>(engine()); };
    const struct {
        uint8_t type;
        std::vector<uint8_t> depths;
    } kinds[] = {
        {0, {1, 2, 4, 8, 16}}, {2, {8, 16}}, {3, {1, 2, 4, 8}}, {4, {8, 16}}, {6, {8, 16}}};
    size_t cases = 0;
    for (const auto& kind : kinds)
        for (const uint8_t depth : kind.depths)
            for (const bool interlaced : {false, true})
                for (const bool trns : {false, true}) {
                    test::PngFixture f;
                    f.colour_type = kind.type;
                    f.depth = depth;
                    f.interlaced = interlaced;
                    f.width = 1 + rng() % 11;  // passes of Adam7 left empty too
                    f.height = 1 + rng() % 11;
                    const uint32_t n = kind.type == 2   ? 3
                                       : kind.type == 4 ? 2
                                       : kind.type == 6 ? 4
                                                        : 1;
                    const uint32_t max = (1u << depth) - 1;
                    const uint32_t colours = kind.type == 3 ? 1 + rng() % (max + 1) : 0;
                    const uint32_t top = kind.type == 3 ? colours - 1 : max;
                    for (size_t i = 0; i < size_t{f.width} * f.height * n; ++i)
                        f.samples.push_back(static_cast<uint16_t>(rng() % (top + 1)));
                    for (uint32_t i = 0; i < colours; ++i) f.palette.push_back(rng() & 0xFFFFFF);
                    if (trns && kind.type == 3) {
                        for (uint32_t i = 0; i < 1 + rng() % colours; ++i)
                            f.trns.push_back(static_cast<uint8_t>(rng()));
                    } else if (trns && (kind.type == 0 || kind.type == 2)) {
                        // The first pixel's own samples: at least one pixel is transparent.
                        for (uint32_t k = 0; k < n; ++k)
                            f.trns.insert(f.trns.end(),
                                          {uint8_t(f.samples[k] >> 8), uint8_t(f.samples[k])});
                    }
                    const auto to8 = [depth, max](uint32_t v) {
                        return static_cast<uint8_t>(depth == 16  ? v >> 8
                                                    : depth == 8 ? v
                                                                 : v * 255 / max);
                    };
                    const std::string what =
                        "type " + std::to_string(kind.type) + " depth " + std::to_string(depth) +
                        (interlaced ? " interlaced" : "") + (trns ? " tRNS" : "");
                    Picture p;
                    ASSERT_TRUE(decode(test::make_png(f), p)) << what << ": " << last_failure();
                    ASSERT_EQ(p.pixels.size(), size_t{f.width} * f.height) << what;
                    ASSERT_EQ(p.indexed, kind.type == 3) << what;
                    for (size_t i = 0; i < p.pixels.size(); ++i) {
                        const uint16_t* s = &f.samples[i * n];
                        Rgba want{};
                        if (kind.type == 3) {
                            const uint32_t c = f.palette[s[0]];
                            want = Rgba{uint8_t(c >> 16), uint8_t(c >> 8), uint8_t(c),
                                        s[0] < f.trns.size() ? f.trns[s[0]] : uint8_t{255}};
                            ASSERT_EQ(p.indices[i], s[0]) << what;
                            ASSERT_EQ(p.palette[s[0]], want) << what;
                        } else {
                            const bool grey = kind.type == 0 || kind.type == 4;
                            want = grey ? Rgba{to8(s[0]), to8(s[0]), to8(s[0]), 255}
                                        : Rgba{to8(s[0]), to8(s[1]), to8(s[2]), 255};
                            if (kind.type == 4 || kind.type == 6) want.a = to8(s[n - 1]);
                            if (!f.trns.empty() && std::equal(s, s + n, f.samples.begin()))
                                want.a = 0;
                        }
                        ASSERT_EQ(p.pixels[i], want) << what << " pixel " << i;
                    }
                    ++cases;
                }
    EXPECT_EQ(cases, 60u);
}

TEST(Picture, BrokenPngsRefusedWithAReason) {
    test::PngFixture good;
    good.palette = {0x000000, 0xFFFFFF};
    good.pixels.assign(64, 1);
    Picture p;
    ASSERT_TRUE(decode(test::make_png(good), p)) << last_failure();
    const auto variant = [&good](auto change) {
        test::PngFixture f = good;
        change(f);
        return test::make_png(f);
    };
    std::vector<uint8_t> cut = test::make_png(good);
    cut.resize(cut.size() - 30);
    std::vector<uint8_t> big = test::make_png(good);
    big[17] = 0x40, big[18] = 0x01;  // 16385 wide (the checksum no longer matters: refused first)
    const std::vector<std::vector<uint8_t>> broken = {
        variant([](test::PngFixture& f) { f.pixels[9] = 2; }),  // beyond a 2-entry palette
        variant([](test::PngFixture& f) { f.break_deflate = true; }),
        variant([](test::PngFixture& f) { f.colour_type = 2, f.depth = 4; }),  // not a depth of RGB
        variant([](test::PngFixture& f) { f.palette.clear(); }),
        cut,
        big,
        {'B', 'M'},
        {'G', 'I', 'F', '8'},
    };
    for (size_t i = 0; i < broken.size(); ++i) {
        p = Picture{};
        p.width = 1;
        EXPECT_FALSE(decode(broken[i], p)) << "case " << i;
        EXPECT_STRNE(last_failure(), "") << "case " << i;
        if (i == 0) {  // the index is named
            EXPECT_NE(std::string(last_failure()).find(" 2 "), std::string::npos) << last_failure();
        }
        EXPECT_TRUE(p.width == 0 && p.pixels.empty() && p.palette.empty()) << "case " << i;
    }
}

TEST(Picture, RgbaPngWrittenAndReadBack) {
    std::mt19937 engine(3);
    const auto rng = [&engine] { return static_cast<uint32_t>(engine()); };
    for (const uint32_t w : {1u, 7u, 64u}) {
        const uint32_t h = w % 5 + 2;
        std::vector<uint8_t> rgba(size_t{4} * w * h);
        for (uint8_t& v : rgba) v = static_cast<uint8_t>(rng());
        std::vector<uint8_t> png;
        ASSERT_TRUE(png_encode_rgba8(rgba.data(), w, h, png));
        ASSERT_GT(png.size(), 33u);
        EXPECT_EQ(png[24], 8);  // depth
        EXPECT_EQ(png[25], 6);  // RGBA
        Picture p;
        ASSERT_TRUE(decode(png, p)) << last_failure();
        ASSERT_EQ(p.pixels.size(), size_t{w} * h);
        for (size_t i = 0; i < p.pixels.size(); ++i)
            ASSERT_EQ(p.pixels[i],
                      (Rgba{rgba[4 * i], rgba[4 * i + 1], rgba[4 * i + 2], rgba[4 * i + 3]}));
    }
}

}  // namespace tw
