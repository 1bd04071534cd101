#include "picture/png_image.h"

#include <cstring>
#include <new>
#include <vector>

#include "common/failure.h"
#include "platform/png.h"
#include "resources/texts.h"

namespace tw {
namespace {

constexpr uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};

uint32_t be32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) << 24 | p[1] << 16 | p[2] << 8 | p[3];
}

const char* colour_type_name(uint8_t type) {
    switch (type) {
        case 0:
            return kPngGrey;
        case 2:
            return kPngRgb;
        case 4:
            return kPngGreyAlpha;
        case 6:
            return kPngRgba;
        default:
            return kPngUnknownType;
    }
}

bool is_png(const uint8_t* data, size_t size) {
    return size >= sizeof kSignature && std::memcmp(data, kSignature, sizeof kSignature) == 0;
}

}  // namespace

BmpImage decode_png(const uint8_t* data, size_t size, int32_t unit_width, int32_t unit_height,
                    uint8_t pixel_mask, uint32_t* bits_out) {
    // The header chunk comes first: its fields decide before the codec runs.
    if (!is_png(data, size)) {
        set_failure(kReasonNotPng);
        return BmpImage{};
    }
    if (size < 33 || be32(data + 8) != 13 || std::memcmp(data + 12, "IHDR", 4) != 0) {
        set_failure(kReasonPngBroken);
        return BmpImage{};
    }
    const uint32_t width = be32(data + 16), height = be32(data + 20);
    const uint8_t depth = data[24], type = data[25];
    if (type != 3) {
        set_failure(kReasonPngType, colour_type_name(type), static_cast<unsigned>(depth));
        return BmpImage{};
    }
    if (depth != 1 && depth != 2 && depth != 4 && depth != 8) {
        set_failure(kReasonPngBroken);
        return BmpImage{};
    }
    if (width == 0 || height == 0 || width > 0x7FFFFFFFu || height > 0x7FFFFFFFu) {
        set_failure(kReasonBmpSize);
        return BmpImage{};
    }
    const auto w = static_cast<int32_t>(width), h = static_cast<int32_t>(height);
    if (!check_image_size(w, h, unit_width, unit_height, pixel_mask)) return BmpImage{};

    PackedPng png;
    if (!png_decode_indexed(data, size, png) || png.width != width || png.height != height ||
        png.depth != depth) {
        set_failure(kReasonPngBroken);
        return BmpImage{};
    }
    BmpImage img{};
    img.width = w;
    img.height = h;
    uint8_t table[4 * 256] = {};
    const uint32_t colours =
        png.palette.size() < 256 ? static_cast<uint32_t>(png.palette.size()) : 256;
    for (uint32_t i = 0; i < colours; ++i) {
        table[4 * i] = png.palette[i].b;
        table[4 * i + 1] = png.palette[i].g;
        table[4 * i + 2] = png.palette[i].r;
    }
    convert_palette(img, table, colours, false);

    const uint32_t count = width * height;
    img.pixels.reset(new uint8_t[count]);
    const size_t stride = (static_cast<size_t>(width) * depth + 7) / 8;
    const uint32_t max = (1u << depth) - 1;
    for (uint32_t y = 0; y < height; ++y) {
        const uint8_t* src = png.rows.data() + y * stride;
        uint8_t* dst = img.pixels.get() + static_cast<size_t>(y) * width;
        for (uint32_t x = 0; x < width; ++x) {
            const uint32_t bit = x * depth;
            const uint32_t shift = 8 - depth - bit % 8;
            dst[x] = static_cast<uint8_t>((src[bit / 8] >> shift) & max & pixel_mask);
        }
    }
    img.pixel_count = count;
    if (bits_out != nullptr) *bits_out = depth;
    return img;
}

BmpImage read_picture(const char* path, int32_t unit_width, int32_t unit_height,
                      uint8_t pixel_mask) {
    std::vector<uint8_t> bytes;
    if (!load_image_file(path, bytes)) return BmpImage{};
    uint32_t bits = 0;
    BmpImage img =
        is_png(bytes.data(), bytes.size())
            ? decode_png(bytes.data(), bytes.size(), unit_width, unit_height, pixel_mask, &bits)
            : decode_bmp_pixels(bytes.data(), bytes.size(), unit_width, unit_height, pixel_mask,
                                bits);
    apply_one_bit_rule(img, bits, path);
    return img;
}

}  // namespace tw
