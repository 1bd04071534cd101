#include "text/char_tables.h"

#include <array>
#include <cstring>

#include "common/little_endian.h"
#include "image/resource_kinds.h"
#include "settings/settings.h"

namespace tw {
namespace {

// Katakana of Shift-JIS row 83 in their order (83 40 to 83 96), with the
// half-width codes they are read as: the plain code, then 0xDE (voiced) or
// 0xDF (semi-voiced) or 0; {0, 0} where the character is not in the table.
// Hiragana 82 9F to 82 F1 follow the same order up to ん.
constexpr uint8_t kKana[][2] = {
    {0xA7, 0},    {0xB1, 0},    {0xA8, 0},    {0xB2, 0},    {0xA9, 0},
    {0xB3, 0},    {0xAA, 0},    {0xB4, 0},  // ァ-エ
    {0xAB, 0},    {0xB5, 0},    {0xB6, 0},    {0xB6, 0xDE}, {0xB7, 0},
    {0xB7, 0xDE}, {0xB8, 0},                                               // ォ-ク
    {0xB8, 0xDE}, {0xB9, 0},    {0xB9, 0xDE}, {0xBA, 0},    {0xBA, 0xDE},  // グ-ゴ
    {0xBB, 0},    {0xBB, 0xDE}, {0xBC, 0},    {0xBC, 0xDE}, {0xBD, 0},
    {0xBD, 0xDE},                                            // サ-ズ
    {0xBE, 0},    {0xBE, 0xDE}, {0xBF, 0},    {0xBF, 0xDE},  // セ-ゾ
    {0xC0, 0},    {0xC0, 0xDE}, {0xC1, 0},    {0xC1, 0xDE}, {0xAF, 0},
    {0xC2, 0},    {0xC2, 0xDE},                                         // タ-ヅ
    {0xC3, 0},    {0xC3, 0xDE}, {0xC4, 0},    {0xC4, 0xDE},             // テ-ド
    {0xC5, 0},    {0xC6, 0},    {0xC7, 0},    {0xC8, 0},    {0xC9, 0},  // ナ-ノ
    {0xCA, 0},    {0xCA, 0xDE}, {0xCA, 0xDF}, {0xCB, 0},    {0xCB, 0xDE},
    {0xCB, 0xDF},  // ハ-ピ
    {0xCC, 0},    {0xCC, 0xDE}, {0xCC, 0xDF}, {0xCD, 0},    {0xCD, 0xDE},
    {0xCD, 0xDF},                                                       // フ-ペ
    {0xCE, 0},    {0xCE, 0xDE}, {0xCE, 0xDF},                           // ホ-ポ
    {0xCF, 0},    {0xD0, 0},    {0xD1, 0},    {0xD2, 0},    {0xD3, 0},  // マ-モ
    {0xAC, 0},    {0xD4, 0},    {0xAD, 0},    {0xD5, 0},    {0xAE, 0},
    {0xD6, 0},                                                          // ャ-ヨ
    {0xD7, 0},    {0xD8, 0},    {0xD9, 0},    {0xDA, 0},    {0xDB, 0},  // ラ-ロ
    {0, 0},       {0xDC, 0},    {0, 0},       {0, 0},       {0xA6, 0},
    {0xDD, 0},                           // ヮワヰヱヲン
    {0xB3, 0xDE}, {0, 0},       {0, 0},  // ヴヵヶ
};
constexpr size_t kKanaCount = sizeof kKana / sizeof kKana[0];  // 83 40 to 83 96
constexpr size_t kHiraganaCount = 0xF1 - 0x9F + 1;             // 82 9F to 82 F1

// The Shift-JIS trail byte of katakana number i (row 83 skips the trail byte 0x7F).
constexpr uint8_t kana_trail(size_t i) {
    return static_cast<uint8_t>(i < 63 ? 0x40 + i : 0x80 + (i - 63));
}

struct Entry {
    uint16_t sjis;
    uint8_t first;
    uint8_t second;  // 0: one code
};

// Full-width ASCII forms (U+FF01 to U+FF5D in Shift-JIS) read as their ASCII code.
constexpr Entry kAsciiForms[] = {
    {0x8149, 0x21, 0}, {0x8194, 0x23, 0}, {0x8190, 0x24, 0}, {0x8193, 0x25, 0}, {0x8195, 0x26, 0},
    {0x8169, 0x28, 0}, {0x816A, 0x29, 0}, {0x8196, 0x2A, 0}, {0x817B, 0x2B, 0}, {0x8143, 0x2C, 0},
    {0x817C, 0x2D, 0}, {0x8144, 0x2E, 0}, {0x815E, 0x2F, 0}, {0x8146, 0x3A, 0}, {0x8147, 0x3B, 0},
    {0x8183, 0x3C, 0}, {0x8181, 0x3D, 0}, {0x8184, 0x3E, 0}, {0x8148, 0x3F, 0}, {0x8197, 0x40, 0},
    {0x816D, 0x5B, 0}, {0x816E, 0x5D, 0}, {0x814F, 0x5E, 0}, {0x8151, 0x5F, 0}, {0x814D, 0x60, 0},
    {0x816F, 0x7B, 0}, {0x8162, 0x7C, 0}, {0x8170, 0x7D, 0},
};

// Punctuation and the other entries read from full-width text.
constexpr Entry kOthers[] = {
    {0x8142, 0xA1, 0},
    {0x8175, 0xA2, 0},
    {0x8177, 0xA2, 0},
    {0x8176, 0xA3, 0},
    {0x8178, 0xA3, 0},
    {0x8141, 0xA4, 0},
    {0x8145, 0xA5, 0},
    {0x815B, 0xB0, 0},
    {0x814A, 0xDE, 0},
    {0x814B, 0xDF, 0},
    {0x8140, 0x20, 0},
    {0x814C, 0x27, 0},
    {0x8165, 0x27, 0},
    {0x8166, 0x27, 0},
    {0x8167, 0x22, 0},
    {0x8168, 0x22, 0},
    {0x814E, 0x83, 0},
    {0x8150, 0xF8, 0},
    {0x815A, 0xE5, 0},
    {0x815C, 0x2E, 0},
    {0x815F, 0x7F, 0},
    {0x8160, 0xA0, 0},
    {0x8179, 0x7B, 0},
    {0x817A, 0x7D, 0},
    {0x817E, 0xFE, 0},
    {0x8185, 0x3C, 0x3D},
    {0x8186, 0x3E, 0x3D},
    {0x818F, 0x5C, 0},
    {0x8199, 0x0A, 0},
    {0x819A, 0x0A, 0},
    {0x819B, 0xE5, 0},
    {0x819C, 0xE1, 0},
    {0x819D, 0x1A, 0},
    {0x819E, 0x80, 0},
    {0x819F, 0x80, 0},
    {0x81A0, 0xE4, 0},
    {0x81A1, 0xE0, 0},
    {0x81A2, 0xE6, 0},
    {0x81A3, 0xE2, 0},
    {0x81A4, 0xE7, 0},
    {0x81A5, 0xE3, 0},
    {0x81A6, 0xFF, 0},
    {0x81A8, 0x1C, 0},
    {0x81A9, 0x1D, 0},
    {0x81AA, 0x1E, 0},
    {0x81AB, 0x1F, 0},
    // Box-drawing pieces: thin, thick and mixed forms read as one code each.
    {0x84A8, 0x90, 0},
    {0x84B3, 0x90, 0},
    {0x84B8, 0x90, 0},
    {0x84BD, 0x90, 0},
    {0x84A6, 0x91, 0},
    {0x84B1, 0x91, 0},
    {0x84B6, 0x91, 0},
    {0x84BB, 0x91, 0},
    {0x84A5, 0x92, 0},
    {0x84B0, 0x92, 0},
    {0x84B5, 0x92, 0},
    {0x84BA, 0x92, 0},
    {0x84A9, 0x93, 0},
    {0x84B4, 0x93, 0},
    {0x84B9, 0x93, 0},
    {0x84BE, 0x93, 0},
    {0x84A7, 0x94, 0},
    {0x84B2, 0x94, 0},
    {0x84B7, 0x94, 0},
    {0x84BC, 0x94, 0},
    {0x849F, 0x95, 0},
    {0x84AA, 0x95, 0},
    {0x84A0, 0x96, 0},
    {0x84AB, 0x96, 0},
    {0x84A1, 0x98, 0},
    {0x84AC, 0x98, 0},
    {0x84A2, 0x99, 0},
    {0x84AD, 0x99, 0},
    {0x84A4, 0x9A, 0},
    {0x84AF, 0x9A, 0},
    {0x84A3, 0x9B, 0},
    {0x84AE, 0x9B, 0},
};

// Codes written as something other than their full-width ASCII or katakana form.
constexpr Entry kWriteExceptions[] = {
    {0x8140, 0x00, 0}, {0x0009, 0x09, 1}, {0x819A, 0x0A, 0}, {0x0D0A, 0x0D, 0}, {0x819D, 0x1A, 0},
    {0x81A8, 0x1C, 0}, {0x81A9, 0x1D, 0}, {0x81AA, 0x1E, 0}, {0x81AB, 0x1F, 0}, {0x8140, 0x20, 0},
    {0x8168, 0x22, 0}, {0x8166, 0x27, 0}, {0x818F, 0x5C, 0}, {0x007E, 0x7E, 1}, {0x815F, 0x7F, 0},
    {0x819E, 0x80, 0}, {0x84B3, 0x90, 0}, {0x84B1, 0x91, 0}, {0x84B0, 0x92, 0}, {0x84B4, 0x93, 0},
    {0x84B2, 0x94, 0}, {0x84AA, 0x95, 0}, {0x84AB, 0x96, 0}, {0x81A1, 0x97, 0}, {0x84AC, 0x98, 0},
    {0x84AD, 0x99, 0}, {0x84AF, 0x9A, 0}, {0x84AE, 0x9B, 0}, {0x8160, 0xA0, 0}, {0x81A1, 0xE0, 0},
    {0x819C, 0xE1, 0}, {0x81A3, 0xE2, 0}, {0x81A5, 0xE3, 0}, {0x81A0, 0xE4, 0}, {0x819B, 0xE5, 0},
    {0x81A2, 0xE6, 0}, {0x81A4, 0xE7, 0}, {0x8150, 0xF8, 0}, {0x8151, 0xFB, 0}, {0x815E, 0xFC, 0},
    {0x815F, 0xFD, 0}, {0x817E, 0xFE, 0}, {0x81A6, 0xFF, 0},
};  // second = 1 marks a one-byte output

// Unicode of the half-width katakana codes 0xA1 to 0xDF in their full-width forms.
constexpr uint16_t kKanaUnits[] = {
    0x3002, 0x300C, 0x300D, 0x3001, 0x30FB, 0x30F2,                                  // A1-A6
    0x30A1, 0x30A3, 0x30A5, 0x30A7, 0x30A9, 0x30E3, 0x30E5, 0x30E7, 0x30C3,          // A7-AF
    0xFF70,                                                                          // B0
    0x30A2, 0x30A4, 0x30A6, 0x30A8, 0x30AA, 0x30AB, 0x30AD, 0x30AF, 0x30B1, 0x30B3,  // B1-BA
    0x30B5, 0x30B7, 0x30B9, 0x30BB, 0x30BD, 0x30BF, 0x30C1, 0x30C4, 0x30C6, 0x30C8,  // BB-C4
    0x30CA, 0x30CB, 0x30CC, 0x30CD, 0x30CE, 0x30CF, 0x30D2, 0x30D5, 0x30D8, 0x30DB,  // C5-CE
    0x30DE, 0x30DF, 0x30E0, 0x30E1, 0x30E2, 0x30E4, 0x30E6, 0x30E8, 0x30E9, 0x30EA,  // CF-D8
    0x30EB, 0x30EC, 0x30ED, 0x30EF, 0x30F3, 0x309B, 0x309C,                          // D9-DF
};
static_assert(sizeof kKanaUnits / sizeof kKanaUnits[0] == 0xDF - 0xA1 + 1);

// fullwidth_to_code for lead bytes 0x81 to 0x84, indexed by (lead - 0x81) * 256 + trail.
struct ReadTable {
    std::array<FullwidthCodes, 4 * 256> e{};
};

constexpr void put(ReadTable& t, uint16_t sjis, uint8_t first, uint8_t second) {
    FullwidthCodes& f = t.e[static_cast<size_t>((sjis >> 8) - 0x81) * 256 + (sjis & 0xFF)];
    f.count = second ? 2 : 1;
    f.codes[0] = first;
    f.codes[1] = second;
}

constexpr ReadTable make_read_table() {
    ReadTable t;
    for (const Entry& e : kAsciiForms) put(t, e.sjis, e.first, e.second);
    for (uint8_t i = 0; i < 10; ++i)
        put(t, static_cast<uint16_t>(0x824F + i), static_cast<uint8_t>('0' + i), 0);
    for (uint8_t i = 0; i < 26; ++i) {
        put(t, static_cast<uint16_t>(0x8260 + i), static_cast<uint8_t>('A' + i), 0);
        put(t, static_cast<uint16_t>(0x8281 + i), static_cast<uint8_t>('a' + i), 0);
    }
    for (size_t i = 0; i < kKanaCount; ++i)
        if (kKana[i][0])
            put(t, static_cast<uint16_t>(0x8300 | kana_trail(i)), kKana[i][0], kKana[i][1]);
    for (size_t i = 0; i < kHiraganaCount; ++i)
        if (kKana[i][0]) put(t, static_cast<uint16_t>(0x829F + i), kKana[i][0], kKana[i][1]);
    for (const Entry& e : kOthers) put(t, e.sjis, e.first, e.second);
    return t;
}

struct WriteTable {
    std::array<std::array<char, 2>, 256> bytes{};
    std::array<uint8_t, 256> length{};
};

constexpr void set_write(WriteTable& t, uint8_t code, uint16_t sjis, bool one_byte) {
    if (one_byte) {
        t.bytes[code] = {static_cast<char>(sjis & 0xFF), 0};
        t.length[code] = 1;
    } else {
        t.bytes[code] = {static_cast<char>(sjis >> 8), static_cast<char>(sjis & 0xFF)};
        t.length[code] = 2;
    }
}

constexpr WriteTable make_write_table() {
    WriteTable t;
    for (int c = 0; c < 256; ++c) set_write(t, static_cast<uint8_t>(c), 0x8145, false);  // ・
    // Full-width ASCII forms, from the read table's ASCII entries.
    for (const Entry& e : kAsciiForms) set_write(t, e.first, e.sjis, false);
    for (uint8_t i = 0; i < 10; ++i)
        set_write(t, static_cast<uint8_t>('0' + i), static_cast<uint16_t>(0x824F + i), false);
    for (uint8_t i = 0; i < 26; ++i) {
        set_write(t, static_cast<uint8_t>('A' + i), static_cast<uint16_t>(0x8260 + i), false);
        set_write(t, static_cast<uint8_t>('a' + i), static_cast<uint16_t>(0x8281 + i), false);
    }
    // Half-width katakana: the plain full-width katakana of the same sound.
    for (size_t i = 0; i < kKanaCount; ++i)
        if (kKana[i][0] && kKana[i][1] == 0)
            set_write(t, kKana[i][0], static_cast<uint16_t>(0x8300 | kana_trail(i)), false);
    const Entry punctuation[] = {{0x8142, 0xA1, 0}, {0x8175, 0xA2, 0}, {0x8176, 0xA3, 0},
                                 {0x8141, 0xA4, 0}, {0x8145, 0xA5, 0}, {0x815B, 0xB0, 0},
                                 {0x814A, 0xDE, 0}, {0x814B, 0xDF, 0}};
    for (const Entry& e : punctuation) set_write(t, e.first, e.sjis, false);
    for (const Entry& e : kWriteExceptions) {
        if (e.first == 0x0D) {
            t.bytes[0x0D] = {'\r', '\n'};
            t.length[0x0D] = 2;
        } else {
            set_write(t, e.first, e.sjis, e.second == 1);
        }
    }
    return t;
}

struct MemTable {
    std::array<uint16_t, 256> unit{};
};

constexpr MemTable make_mem_table() {
    MemTable t;
    for (int c = 0; c < 256; ++c) t.unit[static_cast<size_t>(c)] = static_cast<uint16_t>(c);
    for (int c = 0x21; c <= 0x7F; ++c)
        t.unit[static_cast<size_t>(c)] = static_cast<uint16_t>(c + 0xFEE0);
    t.unit[0x22] = 0x201D;
    t.unit[0x27] = 0x2019;
    t.unit[0x5C] = 0xFFE5;
    for (int c = 0xA1; c <= 0xDF; ++c) t.unit[static_cast<size_t>(c)] = kKanaUnits[c - 0xA1];
    return t;
}

constexpr ReadTable kRead = make_read_table();
constexpr WriteTable kWrite = make_write_table();
constexpr MemTable kMem = make_mem_table();

int hex_digit(uint8_t c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

}  // namespace

FullwidthCodes fullwidth_to_code(uint8_t lead, uint8_t trail) {
    if (lead < 0x81 || lead > 0x84) return {0, {0, 0}};
    return kRead.e[static_cast<size_t>(lead - 0x81) * 256 + trail];
}

std::string_view code_to_fullwidth(uint8_t code) {
    return std::string_view(kWrite.bytes[code].data(), kWrite.length[code]);
}

uint16_t code_to_mem_unit(uint8_t code) {
    return kMem.unit[code];
}

int hex_pair_value(uint8_t first, uint8_t second) {
    int a = hex_digit(first), b = hex_digit(second);
    return (a < 0 || b < 0) ? -1 : 16 * a + b;
}

size_t decode_escapes(uint8_t* b, size_t n) {
    if (g_settings.PRG_ESCAPE == 0) return n;
    // One pass: r reads the original text, w writes the decoded one. Positions in
    // the shrinking text of the stepwise description are w; "i + 2 < L" there is
    // r + 2 < n here, since both count the bytes not yet consumed.
    size_t w = 0, r = 0;
    while (r < n) {
        if (b[r] != 0x5C) {
            b[w++] = b[r++];
            continue;
        }
        int v = r + 2 < n ? hex_pair_value(b[r + 1], b[r + 2]) : -1;
        if (v >= 0) {
            b[w++] = static_cast<uint8_t>(v);
            r += 3;
        } else if (r + 1 < n) {
            b[w++] = b[r + 1];  // the character after the backslash, not examined again
            r += 2;
        } else {
            r += 1;  // a backslash at the end is dropped
        }
    }
    return w;
}

void encode_mem_chars(uint8_t* mem_buffer, const uint8_t* codes, size_t count) {
    // The body: 256 units, then the count.
    uint8_t* body = mem_buffer + kResourcePrefixLength;
    std::memset(body, 0, kMemKind.body_length);
    for (size_t k = 0; k < count; ++k) {
        put_le16(body + 2 * k, code_to_mem_unit(codes[k]));
    }
    const uint32_t c = static_cast<uint32_t>(count);
    put_le32(body + 512, static_cast<uint32_t>(c));
}

}  // namespace tw
