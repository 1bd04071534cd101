#include "text/char_tables.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "settings/settings.h"
#include "support/temp_dir.h"

#ifndef _WIN32
#include <iconv.h>

#include <clocale>
#endif

namespace tw {

namespace {

std::string bytes(std::initializer_list<int> b) {
    std::string s;
    for (int c : b) s.push_back(static_cast<char>(c));
    return s;
}

std::vector<uint8_t> codes_of(const std::string& sjis) {
    FullwidthCodes f =
        fullwidth_to_code(static_cast<uint8_t>(sjis[0]), static_cast<uint8_t>(sjis[1]));
    return std::vector<uint8_t>(f.codes, f.codes + f.count);
}

}  // namespace

TEST(CodeToFullwidth, ListedExceptionsEntryByEntry) {
    const struct {
        int code;
        std::string out;
    } cases[] = {
        {0x00, bytes({0x81, 0x40})},
        {0x09, bytes({0x09})},
        {0x0A, bytes({0x81, 0x9A})},
        {0x0D, bytes({0x0D, 0x0A})},
        {0x1A, bytes({0x81, 0x9D})},
        {0x1C, bytes({0x81, 0xA8})},
        {0x1D, bytes({0x81, 0xA9})},
        {0x1E, bytes({0x81, 0xAA})},
        {0x1F, bytes({0x81, 0xAB})},
        {0x20, bytes({0x81, 0x40})},
        {0x22, bytes({0x81, 0x68})},
        {0x27, bytes({0x81, 0x66})},
        {0x5C, bytes({0x81, 0x8F})},
        {0x7E, bytes({0x7E})},
        {0x7F, bytes({0x81, 0x5F})},
        {0x80, bytes({0x81, 0x9E})},
        {0x90, bytes({0x84, 0xB3})},
        {0x91, bytes({0x84, 0xB1})},
        {0x92, bytes({0x84, 0xB0})},
        {0x93, bytes({0x84, 0xB4})},
        {0x94, bytes({0x84, 0xB2})},
        {0x95, bytes({0x84, 0xAA})},
        {0x96, bytes({0x84, 0xAB})},
        {0x97, bytes({0x81, 0xA1})},
        {0x98, bytes({0x84, 0xAC})},
        {0x99, bytes({0x84, 0xAD})},
        {0x9A, bytes({0x84, 0xAF})},
        {0x9B, bytes({0x84, 0xAE})},
        {0xA0, bytes({0x81, 0x60})},
        {0xE0, bytes({0x81, 0xA1})},
        {0xE1, bytes({0x81, 0x9C})},
        {0xE2, bytes({0x81, 0xA3})},
        {0xE3, bytes({0x81, 0xA5})},
        {0xE4, bytes({0x81, 0xA0})},
        {0xE5, bytes({0x81, 0x9B})},
        {0xE6, bytes({0x81, 0xA2})},
        {0xE7, bytes({0x81, 0xA4})},
        {0xF8, bytes({0x81, 0x50})},
        {0xFB, bytes({0x81, 0x51})},
        {0xFC, bytes({0x81, 0x5E})},
        {0xFD, bytes({0x81, 0x5F})},
        {0xFE, bytes({0x81, 0x7E})},
        {0xFF, bytes({0x81, 0xA6})},
        // Full-width forms and kana of the general rules.
        {0x21, bytes({0x81, 0x49})},
        {0x30, bytes({0x82, 0x4F})},
        {0x39, bytes({0x82, 0x58})},
        {0x41, bytes({0x82, 0x60})},
        {0x5A, bytes({0x82, 0x79})},
        {0x61, bytes({0x82, 0x81})},
        {0x7A, bytes({0x82, 0x9A})},
        {0x2D, bytes({0x81, 0x7C})},
        {0x60, bytes({0x81, 0x4D})},
        {0x7D, bytes({0x81, 0x70})},
        {0xA1, bytes({0x81, 0x42})},
        {0xA2, bytes({0x81, 0x75})},
        {0xA3, bytes({0x81, 0x76})},
        {0xA4, bytes({0x81, 0x41})},
        {0xA5, bytes({0x81, 0x45})},
        {0xA6, bytes({0x83, 0x92})},
        {0xA7, bytes({0x83, 0x40})},
        {0xB0, bytes({0x81, 0x5B})},
        {0xB1, bytes({0x83, 0x41})},
        {0xDD, bytes({0x83, 0x93})},
        {0xDE, bytes({0x81, 0x4A})},
        {0xDF, bytes({0x81, 0x4B})},
    };
    for (const auto& c : cases)
        EXPECT_EQ(code_to_fullwidth(static_cast<uint8_t>(c.code)), c.out) << std::hex << c.code;
}

TEST(CodeToFullwidth, SixtyCodesGiveTheMiddleDot) {
    std::vector<int> defaults;
    for (int c = 0; c < 256; ++c)
        if (code_to_fullwidth(static_cast<uint8_t>(c)) == bytes({0x81, 0x45}) && c != 0xA5)
            defaults.push_back(c);
    EXPECT_EQ(defaults.size(), 60u);
    for (int c :
         {0x01, 0x08, 0x0B, 0x0C, 0x0E, 0x19, 0x1B, 0x81, 0x8F, 0x9C, 0x9F, 0xE8, 0xF7, 0xF9, 0xFA})
        EXPECT_NE(std::find(defaults.begin(), defaults.end(), c), defaults.end()) << c;
}

TEST(FullwidthToCode, ListedEntries) {
    const struct {
        std::string sjis;
        std::vector<uint8_t> codes;
    } cases[] = {
        {bytes({0x83, 0x4B}), {0xB6, 0xDE}}, {bytes({0x82, 0xAA}), {0xB6, 0xDE}},
        {bytes({0x83, 0x70}), {0xCA, 0xDF}}, {bytes({0x82, 0xCF}), {0xCA, 0xDF}},
        {bytes({0x83, 0x94}), {0xB3, 0xDE}}, {bytes({0x81, 0x85}), {0x3C, 0x3D}},
        {bytes({0x81, 0x86}), {0x3E, 0x3D}}, {bytes({0x81, 0x5F}), {0x7F}},
        {bytes({0x81, 0x8F}), {0x5C}},       {bytes({0x81, 0x99}), {0x0A}},
        {bytes({0x81, 0x9A}), {0x0A}},       {bytes({0x81, 0x5C}), {0x2E}},
        {bytes({0x81, 0x40}), {0x20}},       {bytes({0x81, 0x4C}), {0x27}},
        {bytes({0x81, 0x65}), {0x27}},       {bytes({0x81, 0x66}), {0x27}},
        {bytes({0x81, 0x67}), {0x22}},       {bytes({0x81, 0x68}), {0x22}},
        {bytes({0x81, 0x4E}), {0x83}},       {bytes({0x81, 0x50}), {0xF8}},
        {bytes({0x81, 0x5A}), {0xE5}},       {bytes({0x81, 0x60}), {0xA0}},
        {bytes({0x81, 0x79}), {0x7B}},       {bytes({0x81, 0x7A}), {0x7D}},
        {bytes({0x81, 0x7E}), {0xFE}},       {bytes({0x81, 0x9B}), {0xE5}},
        {bytes({0x81, 0x9C}), {0xE1}},       {bytes({0x81, 0x9D}), {0x1A}},
        {bytes({0x81, 0x9E}), {0x80}},       {bytes({0x81, 0x9F}), {0x80}},
        {bytes({0x81, 0xA0}), {0xE4}},       {bytes({0x81, 0xA1}), {0xE0}},
        {bytes({0x81, 0xA2}), {0xE6}},       {bytes({0x81, 0xA3}), {0xE2}},
        {bytes({0x81, 0xA4}), {0xE7}},       {bytes({0x81, 0xA5}), {0xE3}},
        {bytes({0x81, 0xA6}), {0xFF}},       {bytes({0x81, 0xA8}), {0x1C}},
        {bytes({0x81, 0xA9}), {0x1D}},       {bytes({0x81, 0xAA}), {0x1E}},
        {bytes({0x81, 0xAB}), {0x1F}},       {bytes({0x81, 0x42}), {0xA1}},
        {bytes({0x81, 0x75}), {0xA2}},       {bytes({0x81, 0x77}), {0xA2}},
        {bytes({0x81, 0x76}), {0xA3}},       {bytes({0x81, 0x78}), {0xA3}},
        {bytes({0x81, 0x41}), {0xA4}},       {bytes({0x81, 0x45}), {0xA5}},
        {bytes({0x81, 0x5B}), {0xB0}},       {bytes({0x81, 0x4A}), {0xDE}},
        {bytes({0x81, 0x4B}), {0xDF}},       {bytes({0x82, 0xA0}), {0xB1}},
        {bytes({0x82, 0x9F}), {0xA7}},       {bytes({0x82, 0xF1}), {0xDD}},
        {bytes({0x83, 0x92}), {0xA6}},       {bytes({0x83, 0x62}), {0xAF}},
        {bytes({0x83, 0x80}), {0xD1}},       {bytes({0x82, 0x60}), {0x41}},
        {bytes({0x82, 0x9A}), {0x7A}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(codes_of(c.sjis), c.codes) << std::hex << (c.sjis[1] & 0xFF);
    // Box-drawing pieces: four forms each.
    const struct {
        int code;
        std::vector<int> trails;
    } boxes[] = {{0x90, {0xA8, 0xB3, 0xB8, 0xBD}},
                 {0x91, {0xA6, 0xB1, 0xB6, 0xBB}},
                 {0x92, {0xA5, 0xB0, 0xB5, 0xBA}},
                 {0x93, {0xA9, 0xB4, 0xB9, 0xBE}},
                 {0x94, {0xA7, 0xB2, 0xB7, 0xBC}},
                 {0x95, {0x9F, 0xAA}},
                 {0x96, {0xA0, 0xAB}},
                 {0x98, {0xA1, 0xAC}},
                 {0x99, {0xA2, 0xAD}},
                 {0x9A, {0xA4, 0xAF}},
                 {0x9B, {0xA3, 0xAE}}};
    for (const auto& b : boxes)
        for (int t : b.trails)
            EXPECT_EQ(codes_of(bytes({0x84, t})),
                      std::vector<uint8_t>{static_cast<uint8_t>(b.code)})
                << t;
}

TEST(FullwidthToCode, NotInTheTable) {
    for (auto s :
         {bytes({0x82, 0xEC}), bytes({0x82, 0xEE}), bytes({0x82, 0xEF}), bytes({0x83, 0x8E}),
          bytes({0x83, 0x90}), bytes({0x83, 0x91}), bytes({0x83, 0x95}), bytes({0x83, 0x96}),
          bytes({0x81, 0x7D}), bytes({0x81, 0x64}), bytes({0x81, 0x63}), bytes({0x81, 0x80}),
          bytes({0x81, 0x82}), bytes({0x81, 0x87}), bytes({0x81, 0x89}), bytes({0x81, 0x8B}),
          bytes({0x81, 0x98}), bytes({0x81, 0xA7}), bytes({0x81, 0xAC}), bytes({0x81, 0x54}),
          bytes({0x81, 0x58}), bytes({0x81, 0x71}), bytes({0x81, 0x73}), bytes({0x83, 0x9F}),
          bytes({0x84, 0x40}), bytes({0x88, 0x9F}), bytes({0x85, 0x40}), bytes({0x80, 0x40}),
          bytes({0x83, 0x7F}), bytes({0x82, 0x4E}), bytes({0x82, 0x59})})
        EXPECT_TRUE(codes_of(s).empty()) << std::hex << (s[0] & 0xFF) << " " << (s[1] & 0xFF);
}

TEST(FullwidthToCode, HiraganaReadLikeKatakana) {
    // Hiragana 82 9F to 82 F1 and katakana 83 40 to 83 93 run in the same order.
    for (int i = 0; i <= 0xF1 - 0x9F; ++i) {
        int trail = i < 63 ? 0x40 + i : 0x80 + i - 63;
        EXPECT_EQ(codes_of(bytes({0x82, 0x9F + i})), codes_of(bytes({0x83, trail}))) << i;
    }
}

TEST(MemUnits, Examples) {
    const struct {
        int code;
        uint16_t unit;
    } cases[] = {{0x41, 0xFF21}, {0x20, 0x0020}, {0x0D, 0x000D}, {0x22, 0x201D}, {0x27, 0x2019},
                 {0x5C, 0xFFE5}, {0x7F, 0xFF5F}, {0xB0, 0xFF70}, {0xB1, 0x30A2}, {0xE0, 0x00E0},
                 {0x00, 0x0000}, {0x80, 0x0080}, {0xA0, 0x00A0}, {0xA1, 0x3002}, {0xA5, 0x30FB},
                 {0xAF, 0x30C3}, {0xDD, 0x30F3}, {0xDE, 0x309B}, {0xDF, 0x309C}, {0xFF, 0x00FF}};
    for (const auto& c : cases)
        EXPECT_EQ(code_to_mem_unit(static_cast<uint8_t>(c.code)), c.unit) << c.code;
    for (int c = 0x21; c <= 0x7F; ++c) {
        if (c == 0x22 || c == 0x27 || c == 0x5C) continue;
        EXPECT_EQ(code_to_mem_unit(static_cast<uint8_t>(c)), c + 0xFEE0);
    }
}

#ifndef _WIN32
namespace {

// Converts with the system's iconv; empty on failure.
std::string iconv_convert(const char* to, const char* from, const std::string& in) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return "";
    std::string src = in;
    std::string out(64, '\0');
    char* ip = src.data();
    size_t il = src.size();
    char* op = out.data();
    size_t ol = out.size();
    size_t r = iconv(cd, &ip, &il, &op, &ol);
    iconv_close(cd);
    if (r == static_cast<size_t>(-1)) return "";
    out.resize(out.size() - ol);
    return out;
}

std::string utf8_of(uint32_t u) {
    std::string s;
    if (u < 0x80) {
        s.push_back(static_cast<char>(u));
    } else if (u < 0x800) {
        s.push_back(static_cast<char>(0xC0 | u >> 6));
        s.push_back(static_cast<char>(0x80 | (u & 0x3F)));
    } else {
        s.push_back(static_cast<char>(0xE0 | u >> 12));
        s.push_back(static_cast<char>(0x80 | ((u >> 6) & 0x3F)));
        s.push_back(static_cast<char>(0x80 | (u & 0x3F)));
    }
    return s;
}

}  // namespace

TEST(TablesAgainstIconv, FullwidthAsciiForms) {
    for (int c = 0x21; c <= 0x7D; ++c) {
        if (c == 0x22 || c == 0x27 || c == 0x5C) continue;
        std::string sjis =
            iconv_convert("CP932", "UTF-8", utf8_of(0xFEE0u + static_cast<uint32_t>(c)));
        ASSERT_EQ(sjis.size(), 2u) << c;
        EXPECT_EQ(code_to_fullwidth(static_cast<uint8_t>(c)), sjis) << std::hex << c;
        EXPECT_EQ(codes_of(sjis), std::vector<uint8_t>{static_cast<uint8_t>(c)}) << std::hex << c;
    }
}

TEST(TablesAgainstIconv, HalfwidthKatakanaToTheirFullwidthForms) {
    // A half-width code in Shift-JIS, read by iconv and brought to JIS X 0208 by its
    // transliteration, is the full-width form we write; reading it back gives the code.
    // glibc transliterates with the tables of the character-type locale.
    std::string old_locale = setlocale(LC_CTYPE, nullptr);
    if (!setlocale(LC_CTYPE, "C.UTF-8")) GTEST_SKIP() << "no C.UTF-8 locale";
    for (int c = 0xA1; c <= 0xDD; ++c) {
        std::string half =
            iconv_convert("UTF-8", "SHIFT_JIS", std::string(1, static_cast<char>(c)));
        ASSERT_EQ(half, utf8_of(0xFF61u + static_cast<uint32_t>(c - 0xA1))) << c;
        std::string jis = iconv_convert("UTF-8", "ISO-2022-JP",
                                        iconv_convert("ISO-2022-JP//TRANSLIT", "UTF-8", half));
        std::string full = iconv_convert("CP932", "UTF-8", jis);
        EXPECT_EQ(full.size(), 2u) << std::hex << c;
        if (full.size() != 2) continue;
        EXPECT_EQ(code_to_fullwidth(static_cast<uint8_t>(c)), full) << std::hex << c;
        EXPECT_EQ(codes_of(full), std::vector<uint8_t>{static_cast<uint8_t>(c)}) << std::hex << c;
    }
    setlocale(LC_CTYPE, old_locale.c_str());
}

TEST(TablesAgainstIconv, VoicedKanaAreThePlainCodeAndAMark) {
    const uint32_t voiced[] = {0x30AC, 0x30AE, 0x30B0, 0x30B2, 0x30B4, 0x30B6, 0x30B8,
                               0x30BA, 0x30BC, 0x30BE, 0x30C0, 0x30C2, 0x30C5, 0x30C7,
                               0x30C9, 0x30D0, 0x30D3, 0x30D6, 0x30D9, 0x30DC};
    const uint32_t semi[] = {0x30D1, 0x30D4, 0x30D7, 0x30DA, 0x30DD};
    auto read = [](uint32_t u) { return codes_of(iconv_convert("CP932", "UTF-8", utf8_of(u))); };
    for (uint32_t u : voiced) {
        auto plain = read(u - 1);
        ASSERT_EQ(plain.size(), 1u) << std::hex << u;
        EXPECT_EQ(read(u), (std::vector<uint8_t>{plain[0], 0xDE})) << std::hex << u;
        EXPECT_EQ(read(u - 0x60), read(u)) << "hiragana " << std::hex << u - 0x60;
    }
    for (uint32_t u : semi)
        EXPECT_EQ(read(u), (std::vector<uint8_t>{read(u - 2)[0], 0xDF})) << std::hex << u;
    EXPECT_EQ(read(0x30F4), (std::vector<uint8_t>{0xB3, 0xDE}));  // ヴ
}

TEST(TablesAgainstIconv, MemUnitsAreTheUnicodeOfTheFullwidthForms) {
    for (int c = 0x21; c <= 0xDF; ++c) {
        if ((c > 0x7D && c < 0xA1) || c == 0xB0) continue;
        std::string utf16 = iconv_convert("UTF-16LE", "CP932",
                                          std::string(code_to_fullwidth(static_cast<uint8_t>(c))));
        ASSERT_EQ(utf16.size(), 2u) << c;
        uint16_t u = static_cast<uint16_t>(static_cast<uint8_t>(utf16[0]) |
                                           static_cast<uint8_t>(utf16[1]) << 8);
        EXPECT_EQ(code_to_mem_unit(static_cast<uint8_t>(c)), u) << std::hex << c;
    }
}
#endif

TEST(HexPair, Digits) {
    EXPECT_EQ(hex_pair_value('E', '0'), 0xE0);
    EXPECT_EQ(hex_pair_value('0', 'd'), 0x0D);
    EXPECT_EQ(hex_pair_value('f', 'F'), 0xFF);
    EXPECT_EQ(hex_pair_value('4', 'G'), -1);
    EXPECT_EQ(hex_pair_value('g', '0'), -1);
    EXPECT_EQ(hex_pair_value('/', '0'), -1);
    EXPECT_EQ(hex_pair_value(':', '0'), -1);
}

TEST(DecodeEscapes, Examples) {
    test::TempDir tmp;
    test::reset_settings(tmp.path());
    const struct {
        std::vector<uint8_t> in, out;
    } cases[] = {
        {{0x5C, 0x34, 0x31}, {0x41}},
        {{0x5C, 0x30, 0x64}, {0x0D}},
        {{0x61, 0x5C, 0x5C, 0x62}, {0x61, 0x5C, 0x62}},
        {{0x5C, 0x34, 0x47}, {0x34, 0x47}},
        {{0x78, 0x5C}, {0x78}},
        {{0x5C, 0x35, 0x43, 0x34, 0x31}, {0x5C, 0x34, 0x31}},
        {{0x5C}, {}},
        {{0x5C, 0x41}, {0x41}},
        {{0x5C, 0x5C, 0x5C}, {0x5C}},
        {{0x5C, 0x5C, 0x5C, 0x45, 0x30}, {0x5C, 0xE0}},
        {{0x41, 0x42}, {0x41, 0x42}},
    };
    for (const auto& c : cases) {
        g_settings.PRG_ESCAPE = 1;
        std::vector<uint8_t> b = c.in;
        b.resize(decode_escapes(b.data(), b.size()));
        EXPECT_EQ(b, c.out);
        g_settings.PRG_ESCAPE = 0;
        b = c.in;
        EXPECT_EQ(decode_escapes(b.data(), b.size()), c.in.size());
        EXPECT_EQ(b, c.in);
    }
}

TEST(EncodeMemChars, CountAndUnits) {
    std::vector<uint8_t> buf(536, 0xEE);
    encode_mem_chars(buf.data(), nullptr, 0);
    EXPECT_EQ(std::vector<uint8_t>(buf.begin() + 20, buf.end()), std::vector<uint8_t>(516, 0));
    std::vector<uint8_t> codes(256, 0x41);
    codes[255] = 0xB1;
    encode_mem_chars(buf.data(), codes.data(), 256);
    EXPECT_EQ(buf[20], 0x21);
    EXPECT_EQ(buf[21], 0xFF);
    EXPECT_EQ(buf[530], 0xA2);
    EXPECT_EQ(buf[531], 0x30);
    EXPECT_EQ(buf[532], 0x00);
    EXPECT_EQ(buf[533], 0x01);
    EXPECT_EQ(buf[0], 0xEE);  // the type string is the caller's
}

}  // namespace tw
