#include "picture/bmp_image.h"

#include <cstring>
#include <new>
#include <string>
#include <utility>
#include <vector>

#include "common/failure.h"
#include "common/little_endian.h"
#include "image/ptc_container.h"
#include "platform/files.h"
#include "platform/input_file.h"
#include "platform/interaction.h"
#include "platform/native_text.h"
#include "resources/texts.h"
#include "settings/settings.h"

namespace tw {
namespace {

// Images above this many pixels are refused (16384 x 16384).
constexpr uint64_t kMaxPixels = uint64_t{1} << 28;

BmpImage fail(const Text& reason) {
    set_failure(reason);
    return BmpImage{};
}

bool ask_palette_fix(const char* path) {
    if (g_settings.PAL_Fix_1bit == 0) return false;
    if (g_settings.PAL_Fix_1bit == 1) return true;
    std::string text = native_to_utf8(path) + kPaletteQuestion.get();
    return interaction().ask_yes_no(text.c_str(), kPaletteCaption);
}

}  // namespace

void convert_palette(BmpImage& img, const uint8_t* table, uint32_t colour_count, bool fix) {
    std::memcpy(img.col, kResourceMagic, kResourceMagicLength);
    std::memcpy(img.col + kResourceMagicLength, kColKind.type_string, kTypeStringLength);
    for (int e = 0; e < 256; ++e) {
        int row = e / 16, k = e % 16;
        uint32_t src = static_cast<uint32_t>(e);
        if (fix && k == 1) src = static_cast<uint32_t>(16 * row + 15);
        if (fix && k == 15) src = static_cast<uint32_t>(16 * row + 1);
        uint16_t v = 0;
        if (src < colour_count) {
            const uint8_t* q = table + 4 * src;
            v = rgb_to_col(q[2], q[1], q[0]);
        }
        put_le16(img.col + kResourcePrefixLength + 2 * e, v);
        if (k == 15) ++img.palette_rows;
    }
}

namespace {

void convert_pixels(BmpImage& img, const uint8_t* data, uint32_t stride, int bits, bool top_down,
                    uint8_t mask) {
    const uint32_t w = static_cast<uint32_t>(img.width);
    const uint32_t h = static_cast<uint32_t>(img.height);
    for (uint32_t stored = 0; stored < h; ++stored) {
        const uint8_t* src = data + static_cast<size_t>(stored) * stride;
        uint32_t y = top_down ? stored : h - 1 - stored;
        uint8_t* dst = img.pixels.get() + static_cast<size_t>(y) * w;
        if (bits == 8) {
            for (uint32_t x = 0; x < w; ++x) dst[x] = src[x] & mask;
        } else if (bits == 4) {
            for (uint32_t x = 0; x < w; ++x)
                dst[x] = (x & 1) ? (src[x / 2] & 0x0F) : (src[x / 2] >> 4);
        } else {
            for (uint32_t x = 0; x < w; ++x) dst[x] = (src[x / 8] >> (7 - x % 8)) & 1;
        }
    }
}

}  // namespace

bool check_image_size(int32_t width, int32_t height, int32_t unit_width, int32_t unit_height,
                      uint8_t pixel_mask) {
    if (static_cast<uint64_t>(width) * static_cast<uint64_t>(height) > kMaxPixels) {
        set_failure(kReasonBmpTooLarge);
        return false;
    }
    if (pixel_mask == 15 && g_settings.AutoTrim != 0 &&
        (unit_width <= 0 || unit_height <= 0 || width % unit_width != 0 ||
         height % unit_height != 0)) {
        set_failure(kReasonBmpUnit, width, height, unit_width, unit_height);
        return false;
    }
    return true;
}

bool load_image_file(const char* path, std::vector<uint8_t>& bytes) {
    // Nothing valid is larger than its pixel limit at 8 bits plus headers; refuse before reading.
    return read_input_file(path, kMaxPixels + (1u << 20), kReasonBmpTooLarge, bytes);
}

void apply_one_bit_rule(BmpImage& img, uint32_t bits, const char* path) {
    if (img.pixel_count == 0 || bits != 1 || !ask_palette_fix(path)) return;
    // Colour 1 moves to 15, the text colour, in every row of the palette and in the pixels.
    for (int row = 0; row < 16; ++row) {
        uint8_t* one = img.col + kResourcePrefixLength + 2 * (16 * row + 1);
        uint8_t* fifteen = img.col + kResourcePrefixLength + 2 * (16 * row + 15);
        std::swap(one[0], fifteen[0]);
        std::swap(one[1], fifteen[1]);
    }
    for (uint32_t i = 0; i < img.pixel_count; ++i)
        if (img.pixels[i] == 1) img.pixels[i] = 15;
}

bool read_bmp_header(const uint8_t* data, size_t size, BmpHeader& out) {
    if (size < 14 || data[0] != 'B' || data[1] != 'M') {
        set_failure(kReasonNotBmp);
        return false;
    }
    out = BmpHeader{};
    out.file_size = get_le32(data + 2);
    out.offset = get_le32(data + 10);
    if (out.offset < 14 || out.offset > size) {
        set_failure(kReasonBmpTruncated);
        return false;
    }
    const uint8_t* block = data + 14;
    const size_t block_len = out.offset - 14;
    out.header_size = block_len < 4 ? 0 : get_le32(block);
    if (block_len < 4 || out.header_size > block_len ||
        (out.header_size < 16 && out.header_size != 12)) {
        set_failure(kReasonBmpHeader);
        return false;
    }
    if (out.header_size == 12) {
        out.width = get_le16(block + 4);
        out.height = get_le16(block + 6);
        out.planes = get_le16(block + 8);
        out.bits = get_le16(block + 10);
        return true;
    }
    out.width = static_cast<int32_t>(get_le32(block + 4));
    out.height = static_cast<int32_t>(get_le32(block + 8));
    out.planes = get_le16(block + 12);
    out.bits = get_le16(block + 14);
    if (out.header_size >= 20) out.compression = get_le32(block + 16);
    if (out.header_size >= 36) out.colours_used = get_le32(block + 32);
    return true;
}

BmpImage decode_bmp(const uint8_t* data, size_t size, const char* path, int32_t unit_width,
                    int32_t unit_height, uint8_t pixel_mask) {
    uint32_t bits = 0;
    BmpImage img = decode_bmp_pixels(data, size, unit_width, unit_height, pixel_mask, bits);
    apply_one_bit_rule(img, bits, path);
    return img;
}

BmpImage decode_bmp_pixels(const uint8_t* data, size_t size, int32_t unit_width,
                           int32_t unit_height, uint8_t pixel_mask, uint32_t& bits_out) {
    BmpHeader header{};
    if (!read_bmp_header(data, size, header)) return BmpImage{};
    const uint32_t file_size = header.file_size;
    const uint32_t offset = header.offset;
    const uint8_t* block = data + 14;
    const size_t block_len = offset - 14;
    const uint32_t header_size = header.header_size;
    // Every information header of 40 bytes or more starts with the fields we read (the
    // Windows ones, OS/2 2.x, and longer ones yet to come); the colour table follows it,
    // at its own size. Shorter ones are OS/2 1.x headers or broken files.
    if (header_size < 40) return fail(kReasonBmpHeader);

    const int32_t width = header.width;
    const int32_t raw_height = header.height;
    const uint16_t bits = header.bits;
    const uint32_t compression = header.compression;
    const uint32_t colours_used = header.colours_used;
    if (bits != 1 && bits != 4 && bits != 8) {
        set_failure(kReasonBmpBits, static_cast<unsigned>(bits));
        return BmpImage{};
    }
    if (compression != 0) {
        set_failure(kReasonBmpCompression, compression);
        return BmpImage{};
    }
    if (width <= 0 || raw_height == 0 || raw_height == INT32_MIN) return fail(kReasonBmpSize);
    const bool top_down = raw_height < 0;
    const int32_t height = top_down ? -raw_height : raw_height;
    if (!check_image_size(width, height, unit_width, unit_height, pixel_mask)) return BmpImage{};

    // Pixel data: as much as the file header announces, all of it inside the file.
    if (file_size <= offset) return fail(kReasonBmpTruncated);
    const uint64_t data_len = file_size - offset;
    if (offset + data_len > size) return fail(kReasonBmpTruncated);
    const uint64_t stride = (static_cast<uint64_t>(width) * bits + 31) / 32 * 4;
    if (stride * static_cast<uint64_t>(height) > data_len) return fail(kReasonBmpTruncated);

    // Colour table: right after the information header, every entry we use inside the block.
    uint32_t colour_count = colours_used ? colours_used : (1u << bits);
    uint32_t used_entries = colour_count < 256 ? colour_count : 256;
    if (static_cast<uint64_t>(header_size) + 4ull * used_entries > block_len)
        return fail(kReasonBmpPalette);

    BmpImage img{};
    img.width = width;
    img.height = height;
    convert_palette(img, block + header_size, used_entries, false);
    uint32_t count = static_cast<uint32_t>(width) * static_cast<uint32_t>(height);
    img.pixels.reset(new uint8_t[count]);
    convert_pixels(img, data + offset, static_cast<uint32_t>(stride), bits, top_down, pixel_mask);
    img.pixel_count = count;
    bits_out = bits;
    return img;
}

BmpImage read_bmp(const ConvertJob& job, int32_t unit_width, int32_t unit_height,
                  uint8_t pixel_mask) {
    std::vector<uint8_t> bytes;
    if (!load_image_file(job.path, bytes)) return BmpImage{};
    return decode_bmp(bytes.data(), bytes.size(), job.path, unit_width, unit_height, pixel_mask);
}

}  // namespace tw
