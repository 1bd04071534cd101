#include "image/data_text.h"

#include "common/little_endian.h"
#include "settings/settings.h"

namespace tw {
namespace {
constexpr char kHex[] = "0123456789ABCDEF";
}

void write_palette_data(BufferedWriter* out, const BmpImage& image) {
    if (out == nullptr || image.pixel_count == 0) return;
    const uint8_t* col = image.col + ResourceBuffer::kPrefixLength;
    for (int p = 0; p < image.palette_rows; ++p) {
        out->printf("' PALETTE %d\r", p);
        for (int j = 0; j < 16; ++j) {
            int e = p * 16 + j;
            unsigned v = get_le16(col + 2 * e);
            unsigned red = (v & 0x1F) << 3;
            unsigned green = (((v >> 5) & 0x1F) << 3) + ((v & 0x8000) ? 4 : 0);
            unsigned blue = ((v >> 10) & 0x1F) << 3;
            out->put(j % 4 == 0 ? "DATA " : ",");
            out->printf("\"%02X%02X%02X\"", red, green, blue);
            if (j % 4 == 3) out->put("\r");
        }
        out->put("\r");
    }
}

void write_chr_data(BufferedWriter* out, const ResourceBuffer& body, int32_t unit_width,
                    int32_t unit_height, int32_t part) {
    if (out == nullptr || body.empty() || unit_width <= 0 || unit_height <= 0) return;
    const uint8_t* tiles = body.body();
    const uint32_t tile_count = body.body_length() / 32;
    const int32_t tiles_per_unit = ((unit_height + 7) / 8) * ((unit_width + 7) / 8);
    int32_t unit = 64 * part;
    uint32_t tile = 0;
    for (int32_t y = 0; y < 64; y += unit_height) {
        for (int32_t x = 0; x < 256; x += unit_width) {
            out->printf("' &H%X%X\r", unit >> 4, unit & 15);
            for (int32_t t = 0; t < tiles_per_unit && tile < tile_count; ++t, ++tile) {
                char line[6 + 64 + 2];
                char* p = line;
                for (char c : {'D', 'A', 'T', 'A', ' ', '"'}) *p++ = c;
                for (int i = 0; i < 32; ++i) {
                    uint8_t b = tiles[32 * tile + i];
                    *p++ = kHex[b & 15];  // low nibble first: the pixels in reading order
                    *p++ = kHex[b >> 4];
                }
                *p++ = '"';
                *p++ = '\r';
                out->put(std::string_view(line, sizeof line));
                if (unit_width < 16 || tile % 4 == 3) ++unit;
            }
            out->put("\r");
        }
    }
}

void write_sprite_palette_data(BufferedWriter* out, const std::vector<uint8_t>& palettes) {
    if (out == nullptr) return;
    out->put("' SPRITE PALETTES\r");
    for (size_t i = 0; i < palettes.size(); ++i) {
        out->put(i % 16 == 0 ? "DATA " : ",");
        out->printf("%u", static_cast<unsigned>(palettes[i]));
        if (i % 16 == 15 || i + 1 == palettes.size()) out->put("\r");
    }
}

void write_grp_data(BufferedWriter* out, const ResourceBuffer& body) {
    if (out == nullptr || body.empty()) return;
    const uint8_t* bytes = body.body();
    const uint32_t tiles = body.body_length() / 64;
    const bool hex = g_settings.DATA_Type != 0;
    for (uint32_t t = 0; t < tiles; ++t) {
        const uint8_t* tile = bytes + 64 * t;
        if (hex) {
            char line[6 + 128 + 2];
            char* p = line;
            for (char c : {'D', 'A', 'T', 'A', ' ', '"'}) *p++ = c;
            for (int i = 0; i < 64; ++i) {
                *p++ = kHex[tile[i] >> 4];
                *p++ = kHex[tile[i] & 15];
            }
            *p++ = '"';
            *p++ = '\r';
            out->put(std::string_view(line, sizeof line));
        } else {
            char line[5 + 64 * 4 + 1];
            char* p = line;
            for (char c : {'D', 'A', 'T', 'A', ' '}) *p++ = c;
            for (int i = 0; i < 64; ++i) {
                if (i > 0) *p++ = ',';
                unsigned v = tile[i];
                if (v >= 100) *p++ = static_cast<char>('0' + v / 100);
                if (v >= 10) *p++ = static_cast<char>('0' + v / 10 % 10);
                *p++ = static_cast<char>('0' + v % 10);
            }
            *p++ = '\r';
            out->put(std::string_view(line, static_cast<size_t>(p - line)));
        }
    }
}

}  // namespace tw
