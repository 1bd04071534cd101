// Any BMP as RGBA: 1, 2, 4 and 8 bits with a palette (uncompressed, RLE8,
// RLE4), 16, 24 and 32 bits direct or through bit fields; Windows headers of 40
// bytes and more, OS/2 1.x and 2.x headers; top-down or bottom-up.
//
// Header parsing is a run of guard clauses, and every size is checked against
// the bytes that are there before anything is allocated.

#include <bit>
#include <cstring>

#include "common/failure.h"
#include "common/little_endian.h"
#include "picture/bmp_image.h"
#include "picture/picture_formats.h"
#include "resources/texts.h"

namespace tw {
namespace {

enum : uint32_t {
    BI_RGB = 0,
    BI_RLE8 = 1,
    BI_RLE4 = 2,
    BI_BITFIELDS = 3,  // OS/2 2.x: Huffman 1D
    BI_ALPHABITFIELDS = 6,
};

bool fail(const Text& reason) {
    set_failure(reason);
    return false;
}

// One channel of a direct-colour pixel: its mask, and the value as 8 bits.
struct Field {
    uint32_t mask = 0;
    uint32_t shift = 0;
    uint32_t bits = 0;

    explicit Field(uint32_t m)
        : mask(m),
          shift(m ? static_cast<uint32_t>(std::countr_zero(m)) : 0),
          bits(static_cast<uint32_t>(std::popcount(m))) {}
    bool contiguous() const { return ((mask >> shift) & ((mask >> shift) + 1)) == 0; }
    // Narrow fields scaled to the nearest 8-bit value, wide ones by their top 8 bits.
    uint8_t value(uint32_t pixel) const {
        const uint32_t v = (pixel & mask) >> shift;
        if (bits == 8) return static_cast<uint8_t>(v);
        if (bits > 8) return static_cast<uint8_t>(v >> (bits - 8));
        const uint32_t max = (1u << bits) - 1;
        return static_cast<uint8_t>((v * 255 + max / 2) / max);
    }
};

// Red, green and blue must be there; no two fields may share a bit, and
// every field lies inside the pixel.
bool masks_valid(const uint32_t (&masks)[4], uint16_t bits) {
    uint32_t seen = 0;
    for (int c = 0; c < 4; ++c) {
        const Field f(masks[c]);
        if ((c < 3 && masks[c] == 0) || !f.contiguous() || (seen & masks[c]) != 0) return false;
        seen |= masks[c];
    }
    return bits == 32 || (seen >> bits) == 0;
}

// Run-length encoded indices (RLE8, or RLE4 with two pixels a byte), bottom row
// first. Pixels the stream skips keep index 0. A run that leaves the picture or
// is cut short fails; a stream that ends without its end-of-bitmap mark ends there.
bool decode_rle(const uint8_t* p, size_t n, bool four, uint32_t w, uint32_t h, uint8_t* indices) {
    uint32_t x = 0, y = 0;
    size_t i = 0;
    const auto put = [&](uint32_t k, uint8_t byte, uint32_t at) {
        const uint8_t v = four ? ((at & 1) ? byte & 0x0F : byte >> 4) : byte;
        indices[size_t{h - 1 - y} * w + x + k] = v;
    };
    while (i + 2 <= n) {
        const uint8_t count = p[i], value = p[i + 1];
        i += 2;
        if (count != 0) {
            if (y >= h || x + count > w) return fail(kReasonPictureBmpRle);
            for (uint32_t k = 0; k < count; ++k) put(k, value, k);
            x += count;
        } else if (value == 0) {
            x = 0;
            ++y;
        } else if (value == 1) {
            return true;
        } else if (value == 2) {
            if (i + 2 > n) return fail(kReasonPictureBmpRle);
            x += p[i];
            y += p[i + 1];
            i += 2;
            if (x > w || y > h) return fail(kReasonPictureBmpRle);
        } else {
            const size_t bytes = four ? (value + 1u) / 2 : value;
            if (i + bytes > n || y >= h || x + value > w) return fail(kReasonPictureBmpRle);
            for (uint32_t k = 0; k < value; ++k) put(k, p[i + (four ? k / 2 : k)], k);
            x += value;
            i += (bytes + 1) & ~size_t{1};  // each absolute run fills whole 16-bit words
        }
    }
    return true;
}

// The value of pixel x of a stored row of 16, 24 or 32 bits, little-endian.
uint32_t direct_pixel(const uint8_t* row, uint32_t x, uint16_t bits) {
    if (bits == 16) return get_le16(row + 2 * x);
    if (bits == 24) {
        const uint8_t* p = row + 3 * x;
        return p[0] | p[1] << 8 | static_cast<uint32_t>(p[2]) << 16;
    }
    return get_le32(row + 4 * x);
}

uint8_t packed_index(const uint8_t* row, uint32_t x, uint16_t bits) {
    const uint32_t bit = x * bits;
    return static_cast<uint8_t>((row[bit / 8] >> (8 - bits - bit % 8)) & ((1u << bits) - 1));
}

}  // namespace

bool decode_bmp_picture(const uint8_t* data, size_t size, Picture& out) {
    BmpHeader h{};
    if (!read_bmp_header(data, size, h)) return false;
    const uint8_t* info = data + 14;
    const bool core = h.header_size == 12;
    const bool windows =
        h.header_size == 40 || h.header_size == 52 || h.header_size == 56 || h.header_size >= 108;
    // OS/2 2.x headers run from 16 to 64 bytes; 40 reads the same as Windows' own.
    const bool os2 = core || (!windows && h.header_size <= 64);
    if ((!windows && !os2) || h.planes != 1) return fail(kReasonBmpHeader);
    if (h.width <= 0 || h.height == 0 || h.height == INT32_MIN) return fail(kReasonBmpSize);
    const bool top_down = h.height < 0;
    const uint32_t width = static_cast<uint32_t>(h.width);
    const uint32_t height =
        top_down ? 0u - static_cast<uint32_t>(h.height) : static_cast<uint32_t>(h.height);
    if (width > kMaxPictureSide || height > kMaxPictureSide) return fail(kReasonBmpTooLarge);

    const uint16_t bits = h.bits;
    const uint32_t c = h.compression;
    const bool indexed = bits == 1 || bits == 2 || bits == 4 || bits == 8;
    const bool direct = bits == 16 || bits == 24 || bits == 32;
    // OS/2 2.x gives 3 and 4 to Huffman and RLE24, which no paint program writes.
    const bool fields = !os2 && (c == BI_BITFIELDS || c == BI_ALPHABITFIELDS);
    if (!(c == BI_RGB || c == BI_RLE8 || c == BI_RLE4 || fields) ||
        (top_down && c != BI_RGB && !fields)) {
        set_failure(kReasonBmpCompression, c);
        return false;
    }
    if (!(indexed || direct) || (c == BI_RLE8 && bits != 8) || (c == BI_RLE4 && bits != 4) ||
        (fields && bits != 16 && bits != 32)) {
        set_failure(kReasonPictureBmpBits, static_cast<unsigned>(bits));
        return false;
    }

    // The bit fields: in the header when it has room for them, else right after
    // a 40-byte one. V4 and V5 headers also carry an alpha mask.
    size_t table_at = 14 + size_t{h.header_size};
    uint32_t masks[4] = {};
    if (fields) {
        const size_t count = c == BI_ALPHABITFIELDS ? 4 : 3;
        const uint8_t* at = info + 40;
        if (h.header_size < 40 + 4 * count) {
            if (table_at + 4 * count > h.offset) return fail(kReasonBmpHeader);
            at = data + table_at;
            table_at += 4 * count;
        }
        for (size_t k = 0; k < count; ++k) masks[k] = get_le32(at + 4 * k);
        if (count == 3 && h.header_size >= 56) masks[3] = get_le32(info + 52);
        if (!masks_valid(masks, bits)) return fail(kReasonPictureBmpMasks);
    } else if (bits == 16) {
        masks[0] = 0x7C00, masks[1] = 0x03E0, masks[2] = 0x001F;
    } else if (bits >= 24) {
        masks[0] = 0xFF0000, masks[1] = 0xFF00, masks[2] = 0xFF;
    }

    // The colour table, between the header (and its masks) and the pixel data.
    // OS/2 1.x has 3-byte entries and no count: as many as the room holds.
    if (indexed) {
        const size_t entry = core ? 3 : 4;
        const size_t room = (h.offset - table_at) / entry;
        const size_t most = size_t{1} << bits;
        size_t count = core ? (room < most ? room : most) : h.colours_used ? h.colours_used : most;
        if (count > room) return fail(kReasonBmpPalette);
        if (count > most) count = most;
        out.indexed = true;
        for (size_t k = 0; k < count; ++k) {
            const uint8_t* q = data + table_at + k * entry;
            out.palette.push_back(Rgba{q[2], q[1], q[0], 255});
        }
    }

    const uint8_t* pixels = data + h.offset;
    const size_t available = size - h.offset;
    out.width = width;
    out.height = height;
    if (c == BI_RLE8 || c == BI_RLE4) {
        out.indices.assign(size_t{width} * height, 0);
        return decode_rle(pixels, available, c == BI_RLE4, width, height, out.indices.data()) &&
               paint_indices(out);
    }

    const uint64_t stride = (uint64_t{width} * bits + 31) / 32 * 4;
    if (stride * height > available) return fail(kReasonBmpTruncated);
    if (indexed)
        out.indices.resize(size_t{width} * height);
    else
        out.pixels.resize(size_t{width} * height);
    const Field red(masks[0]), green(masks[1]), blue(masks[2]), alpha(masks[3]);
    for (uint32_t stored = 0; stored < height; ++stored) {
        const uint8_t* row = pixels + stored * stride;
        const size_t y = top_down ? stored : height - 1 - stored;
        if (indexed) {
            uint8_t* dst = out.indices.data() + y * width;
            for (uint32_t x = 0; x < width; ++x) dst[x] = packed_index(row, x, bits);
            continue;
        }
        Rgba* dst = out.pixels.data() + y * width;
        for (uint32_t x = 0; x < width; ++x) {
            const uint32_t v = direct_pixel(row, x, bits);
            dst[x] = Rgba{red.value(v), green.value(v), blue.value(v),
                          masks[3] ? alpha.value(v) : uint8_t{255}};
        }
    }
    return !indexed || paint_indices(out);
}

}  // namespace tw
