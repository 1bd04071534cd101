#include "qr/qr_stream.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "common/failure.h"
#include "platform/md5.h"
#include "resources/texts.h"
#include "support/ptc_builder.h"

namespace tw {
namespace {

std::string hex(const uint8_t* p, size_t n) {
    std::string s;
    char b[3];
    for (size_t i = 0; i < n; ++i) {
        std::snprintf(b, sizeof b, "%02x", p[i]);
        s += b;
    }
    return s;
}

// A program of 7 717 characters, not a multiple of 4, left unpadded.
std::vector<uint8_t> squares_program(const std::string& name = "BLOCKN") {
    std::string text;
    for (int i = 0; i < 400; ++i)
        text += "PRINT " + std::to_string(i) + "*" + std::to_string(i) + "=" +
                std::to_string(i * i) + "\r";
    return test::make_ptc(name, 0, {{"PRG", test::prg_body(0, 0, text, false), ""}});
}

std::vector<uint8_t> noise(size_t n) {
    std::mt19937 rng(27);
    std::vector<uint8_t> b(n);
    for (auto& x : b) x = static_cast<uint8_t>(rng());
    return b;
}

}  // namespace

// Expected bytes from tests/qr/qr_oracle.py (zlib level 9 and hashlib).
TEST(MakeQrSet, CodesAreTheReferenceBytes) {
    const std::vector<uint8_t> ptc = squares_program();
    ASSERT_EQ(ptc.size(), 7777u);
    QrSet set;
    ASSERT_TRUE(make_qr_set(ptc.data(), ptc.size(), set)) << last_failure();
    EXPECT_EQ(set.name, "BLOCKN");
    EXPECT_EQ(set.type, "PRG");
    ASSERT_EQ(set.codes.size(), 5u);
    std::vector<uint8_t> all;
    for (size_t i = 0; i < set.codes.size(); ++i) {
        EXPECT_EQ(set.codes[i].size(), i < 4 ? 666u : 357u);
        all.insert(all.end(), set.codes[i].begin(), set.codes[i].end());
    }
    EXPECT_EQ(hex(set.codes[0].data(), 36 + 22),
              "505401050a5c3f0b70b9fb4f43fccd6da29e3897dc458adae0215e0a073d085d360ba580"
              "424c4f434b4e000052505247050b00003d1e000078da");
    uint8_t digest[16];
    ASSERT_TRUE(md5_digest(all.data(), all.size(), digest));
    EXPECT_EQ(hex(digest, 16), "ea85da744ea97d6aa8a8d1c3a006e395");
}

TEST(MakeQrSet, RefusesWithItsReason) {
    const std::vector<uint8_t> good = squares_program();
    auto changed = [&](size_t at, uint8_t v) {
        std::vector<uint8_t> b = good;
        b[at] = v;
        return b;
    };
    std::vector<uint8_t> longer = good;
    longer.push_back(0);
    const std::vector<uint8_t> unknown_type =
        test::make_ptc("A", 0, {{"BIN", std::vector<uint8_t>(16), ""}});
    const std::vector<uint8_t> short_chr =
        test::make_ptc("A", 3, {{"CHR", std::vector<uint8_t>(8191), ""}});
    const struct {
        std::vector<uint8_t> ptc;
        const Text* reason;
    } cases[] = {
        {changed(0, 'Q'), &kQrNoPx01},
        {longer, &kQrBadLength},
        {std::vector<uint8_t>(good.begin(), good.begin() + 40), &kQrBadLength},
        {changed(100, 'x'), &kQrBadDigest},
        {unknown_type, &kQrBadType},
        {short_chr, &kQrBadBody},
    };
    for (const auto& c : cases) {
        QrSet set;
        EXPECT_FALSE(make_qr_set(c.ptc.data(), c.ptc.size(), set));
        EXPECT_EQ(last_failure_reason(), &kQrNotWellFormed);
        EXPECT_NE(std::string(last_failure()).find(c.reason->get()), std::string::npos)
            << last_failure();
        EXPECT_TRUE(set.codes.empty());
    }
}

TEST(MakeQrSet, RefusesANameUnqrWouldRefuse) {
    const std::vector<uint8_t> ptc = squares_program("LPT3");
    QrSet set;
    EXPECT_FALSE(make_qr_set(ptc.data(), ptc.size(), set));
    EXPECT_EQ(last_failure_reason(), &kQrNameRefused);
}

TEST(MakeQrSet, At255CodesAndNoMore) {
    // Noise does not compress: its stream is a little longer than the file.
    for (const size_t chunks : {size_t{253}, size_t{256}}) {
        const std::vector<uint8_t> text = noise(chunks * kQrChunkLength);
        const std::vector<uint8_t> ptc = test::make_ptc(
            "BIG", 0,
            {{"PRG", test::prg_body(0, 0, std::string(text.begin(), text.end()), false), ""}});
        QrSet set;
        const bool made = make_qr_set(ptc.data(), ptc.size(), set);
        if (chunks == 253) {
            EXPECT_TRUE(made) << last_failure();
            EXPECT_GE(set.codes.size(), 254u);
            EXPECT_EQ(set.codes.back()[3], set.codes.size());
        } else {
            EXPECT_FALSE(made);
            EXPECT_EQ(last_failure_reason(), &kQrTooManyCodes);
            const std::string said = last_failure();
            EXPECT_GE(std::stoul(said.substr(said.find_first_of("0123456789"))), 257u) << said;
        }
    }
}

TEST(QrNameFault, OneRuleForEveryPlatform) {
    const struct {
        const char* name;
        const Text* fault;
    } cases[] = {
        {"BLOCKN", nullptr},
        {"A.B", nullptr},
        {"COM10", nullptr},
        {"CONX", nullptr},
        {"LPT0", nullptr},
        {"A-B_C[1]", nullptr},
        {"", &kNameEmpty},
        {".", &kNameEmpty},
        {"..", &kNameEmpty},
        {"A/B", &kNameSeparator},
        {"A\\B", &kNameSeparator},
        {"A:B", &kNameReservedCharacter},
        {"A*", &kNameReservedCharacter},
        {"A\"", &kNameReservedCharacter},
        {"A\x1F", &kNameControlByte},
        {"A\x7F", &kNameControlByte},
        {"A\xB1", &kNameNotAscii},
        {"A.", &kNameTrailingDot},
        {"A ", &kNameTrailingDot},
        {"con", &kNameDevice},
        {"Nul", &kNameDevice},
        {"COM1", &kNameDevice},
        {"lpt9", &kNameDevice},
        {"AUX.X", &kNameDevice},
    };
    for (const auto& c : cases) EXPECT_EQ(qr_name_fault(c.name), c.fault) << c.name;
    EXPECT_EQ(qr_name_fault(std::string_view("A\0B", 3)), &kNameControlByte);
}

}  // namespace tw
