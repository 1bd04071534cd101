#include "qr/qr_sets.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "common/failure.h"
#include "common/little_endian.h"
#include "platform/md5.h"
#include "qr/qr_stream.h"
#include "resources/texts.h"
#include "support/ptc_builder.h"

namespace tw {
namespace {

using Bytes = std::vector<uint8_t>;

// The codes of any stream, cut as a set's are.
std::vector<Bytes> codes_of(const Bytes& stream, size_t chunk = kQrChunkLength) {
    const size_t count = (stream.size() + chunk - 1) / chunk;
    uint8_t whole[16];
    md5_digest(stream.data(), stream.size(), whole);
    std::vector<Bytes> codes;
    for (size_t i = 0; i < count; ++i) {
        const size_t n = std::min(chunk, stream.size() - i * chunk);
        Bytes code{'P', 'T', uint8_t(i + 1), uint8_t(count)};
        code.resize(36);
        md5_digest(stream.data() + i * chunk, n, code.data() + 4);
        std::memcpy(code.data() + 20, whole, 16);
        code.insert(code.end(), stream.begin() + long(i * chunk),
                    stream.begin() + long(i * chunk + n));
        codes.push_back(code);
    }
    return codes;
}

// A stream of any plain bytes and header, zlib at the given level and window.
Bytes stream_of(const std::string& name, const char* suffix, const Bytes& plain, uint32_t stated,
                int level = 9, int window_bits = 15) {
    z_stream z{};
    deflateInit2(&z, level, Z_DEFLATED, window_bits, 8, Z_DEFAULT_STRATEGY);
    Bytes packed(deflateBound(&z, uLong(plain.size())));
    z.next_in = const_cast<Bytef*>(plain.data());
    z.avail_in = uInt(plain.size());
    z.next_out = packed.data();
    z.avail_out = uInt(packed.size());
    deflate(&z, Z_FINISH);
    packed.resize(z.total_out);
    deflateEnd(&z);
    Bytes stream(20 + packed.size());
    std::memcpy(stream.data(), name.data(), std::min<size_t>(name.size(), 8));
    std::memcpy(stream.data() + 8, suffix, 4);
    put_le32(stream.data() + 12, uint32_t(packed.size()));
    put_le32(stream.data() + 16, stated);
    std::memcpy(stream.data() + 20, packed.data(), packed.size());
    return stream;
}

Bytes program_ptc(const std::string& name, size_t text_length) {
    std::string text;
    for (size_t i = 0; text.size() < text_length; ++i) {
        // Appended a piece at a time: mingw's g++ 12 warns (wrongly) of an overlap in "?" + text.
        text += '?';
        text += std::to_string(i * 7919);
        text += '\r';
    }
    text.resize(text_length);
    return test::make_ptc(name, 0, {{"PRG", test::prg_body(0, 0, text, false), ""}});
}

bool gather_and_read(const std::vector<Bytes>& codes, QrReadSet& out, size_t* ignored = nullptr) {
    QrGatherer g;
    for (const Bytes& c : codes) g.add(c.data(), c.size());
    if (ignored) *ignored = g.ignored();
    EXPECT_EQ(g.sets().size(), 1u);
    return !g.sets().empty() && read_qr_set(g.sets()[0], out);
}

}  // namespace

// Every kind, a program left unpadded (10 001 characters), a stream of level 6 and a 4 KiB window,
// the codes shuffled and some seen twice: the file comes back byte for byte.
TEST(ReadQrSet, GivesBackTheFileByteForByte) {
    std::mt19937 rng(5);
    std::vector<Bytes> files = {program_ptc("BLOCKN", 10001)};
    for (const ResourceKind* kind : kResourceKinds) {
        if (kind == &kPrgKind) continue;
        Bytes body(kind->body_length);
        for (auto& b : body) b = uint8_t(rng() % 5);
        files.push_back(test::make_ptc("K", kind->type_code, {{kind->tag(), body, ""}}));
    }
    for (const Bytes& file : files) {
        QrSet set;
        ASSERT_TRUE(make_qr_set(file.data(), file.size(), set)) << last_failure();
        std::vector<Bytes> codes = set.codes;
        codes.push_back(codes.front());
        std::shuffle(codes.begin(), codes.end(), rng);
        QrReadSet read;
        ASSERT_TRUE(gather_and_read(codes, read)) << last_failure();
        EXPECT_EQ(read.ptc, file);
        EXPECT_EQ(read.name, set.name);
        EXPECT_EQ(read.kind->tag(), set.type);
    }
    // Level 6 with a 4 KiB window, as some published sets are made.
    const Bytes file = files[0];
    const Bytes plain(file.begin() + 36, file.end());
    QrReadSet read;
    ASSERT_TRUE(gather_and_read(
        codes_of(stream_of("BLOCKN", "RPRG", plain, uint32_t(plain.size()), 6, 12)), read))
        << last_failure();
    EXPECT_EQ(read.ptc, file);
}

TEST(ReadQrSet, NamesTheMissingCodes) {
    QrSet set;
    const Bytes file = program_ptc("BLOCKN", 10001);
    ASSERT_TRUE(make_qr_set(file.data(), file.size(), set));
    ASSERT_EQ(set.codes.size(), 8u);
    std::vector<Bytes> codes = set.codes;
    codes.erase(codes.begin() + 4);
    codes.erase(codes.begin() + 2);
    QrReadSet read;
    set_language(LANGUAGE_EN);
    EXPECT_FALSE(gather_and_read(codes, read));
    EXPECT_STREQ(last_failure(), "BLOCKN: codes 3, 5 of 8 missing");
    set_language(LANGUAGE_JA);
    EXPECT_TRUE(read.ptc.empty());
}

TEST(ReadQrSet, RefusesWithItsReason) {
    const Bytes file = program_ptc("GAME", 3000);
    const Bytes plain(file.begin() + 36, file.end());
    const auto plain_size = uint32_t(plain.size());
    auto with = [](Bytes b, size_t at, uint8_t v) {
        b[at] = v;
        return b;
    };
    const Bytes good = stream_of("GAME", "RPRG", plain, plain_size);
    std::vector<Bytes> wrong_whole = codes_of(good);
    for (Bytes& c : wrong_whole) c[20] ^= 1;
    std::vector<Bytes> two_copies = codes_of(good);
    Bytes changed = codes_of(with(good, 700, uint8_t(good[700] ^ 0x55)))[1];
    std::memcpy(changed.data() + 20, two_copies[1].data() + 20, 16);  // intact, yet different
    two_copies.push_back(changed);
    Bytes bad_packed = good;
    put_le32(bad_packed.data() + 12, uint32_t(good.size() - 21));
    Bytes chr_plain(plain.begin(), plain.begin() + 8);  // the stream says RPRG, the data RCHR
    chr_plain.insert(chr_plain.end(), {'R', 'C', 'H', 'R'});
    chr_plain.insert(chr_plain.end(), plain.begin() + 12, plain.end());
    Bytes not_petc = plain;
    not_petc[0] = 'X';

    const struct {
        std::vector<Bytes> codes;
        const Text* reason;
    } cases[] = {
        {wrong_whole, &kQrBadStreamDigest},
        {two_copies, &kQrCodesDisagree},
        {codes_of(bad_packed), &kQrBadCompressedLength},
        {codes_of(stream_of("GAME", "RBIN", plain, plain_size)), &kQrBadSuffix},
        {codes_of(stream_of("GAME", "RPRG", plain, kQrMaxPlainLength + 1)), &kQrPlainTooLong},
        {codes_of(stream_of("GAME", "RPRG", plain, plain_size - 1)), &kQrInflatesBeyond},
        {codes_of(stream_of("GAME", "RPRG", plain, plain_size + 1)), &kQrInflateFailed},
        {codes_of(stream_of("GAME", "RPRG", chr_plain, plain_size)), &kQrNotResource},
        {codes_of(stream_of("GAME", "RPRG", not_petc, plain_size)), &kQrNotResource},
        {codes_of(stream_of("AUX", "RPRG", plain, plain_size)), &kQrNameRefused},
        {codes_of(stream_of("../X", "RPRG", plain, plain_size)), &kQrNameRefused},
    };
    for (const auto& c : cases) {
        QrReadSet read;
        EXPECT_FALSE(gather_and_read(c.codes, read));
        EXPECT_EQ(last_failure_reason(), c.reason) << last_failure();
        EXPECT_TRUE(read.ptc.empty());
    }
}

// 100 MB of zeros stated as 1 KiB: refused at the first byte past 1 KiB.
TEST(ReadQrSet, RefusesABombWithoutInflatingIt) {
    z_stream z{};
    deflateInit(&z, 1);
    Bytes packed(400'000);
    const Bytes zeros(1 << 20);
    z.next_out = packed.data();
    z.avail_out = uInt(packed.size());
    for (int i = 0; i < 100; ++i) {
        z.next_in = const_cast<Bytef*>(zeros.data());
        z.avail_in = uInt(zeros.size());
        deflate(&z, i == 99 ? Z_FINISH : Z_NO_FLUSH);
    }
    packed.resize(z.total_out);
    deflateEnd(&z);
    Bytes stream(20);
    std::memcpy(stream.data(), "BOMB\0\0\0\0RPRG", 12);
    put_le32(stream.data() + 12, uint32_t(packed.size()));
    put_le32(stream.data() + 16, 1024);
    stream.insert(stream.end(), packed.begin(), packed.end());
    QrReadSet read;
    EXPECT_FALSE(gather_and_read(codes_of(stream, 2900), read));
    EXPECT_EQ(last_failure_reason(), &kQrInflatesBeyond);
}

TEST(QrGatherer, IgnoresCodesThatFailTheirChecks) {
    const Bytes file = program_ptc("GAME", 3000);
    QrSet set;
    ASSERT_TRUE(make_qr_set(file.data(), file.size(), set));
    Bytes index0 = set.codes[0], beyond = set.codes[0], broken = set.codes[1];
    index0[2] = 0;
    beyond[2] = uint8_t(beyond[3] + 1);
    broken.back() ^= 1;
    const Bytes other{'h', 't', 't', 'p'};
    std::vector<Bytes> codes = set.codes;
    codes.insert(codes.end(), {index0, beyond, broken, other, Bytes{}});
    QrReadSet read;
    size_t ignored = 0;
    EXPECT_TRUE(gather_and_read(codes, read, &ignored)) << last_failure();
    EXPECT_EQ(ignored, 5u);
    EXPECT_EQ(read.ptc, file);
}

TEST(QrOutputNames, SharedNamesTakeTheirType) {
    auto set = [](const char* name, const ResourceKind& kind) {
        QrReadSet s;
        s.name = name;
        s.kind = &kind;
        return s;
    };
    const std::vector<QrReadSet> sets = {set("GAME", kPrgKind), set("game", kChrKind),
                                         set("LONE", kPrgKind), set("TWICE", kColKind),
                                         set("Twice", kColKind)};
    const std::vector<std::string> expected = {"GAME_PRG.ptc", "game_CHR.ptc", "LONE.ptc", "", ""};
    EXPECT_EQ(qr_output_names(sets), expected);
}

}  // namespace tw
