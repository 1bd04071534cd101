// Any PNG as RGBA. The platform's codec only inflates and de-interlaces; the
// samples become colours here, so that every platform reads a file the same.

#include <cstring>

#include "common/failure.h"
#include "picture/picture_formats.h"
#include "platform/png.h"
#include "resources/texts.h"

namespace tw {
namespace {

uint32_t be32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) << 24 | p[1] << 16 | p[2] << 8 | p[3];
}

bool fail(const Text& reason) {
    set_failure(reason);
    return false;
}

// Samples a pixel of each colour type (0 grey, 2 RGB, 3 indexed, 4 grey + alpha, 6 RGBA).
uint32_t channels_of(uint8_t colour_type) {
    switch (colour_type) {
        case 0:
        case 3:
            return 1;
        case 2:
            return 3;
        case 4:
            return 2;
        case 6:
            return 4;
        default:
            return 0;
    }
}

// The depths the format allows for each colour type.
bool depth_allowed(uint8_t colour_type, uint8_t depth) {
    switch (colour_type) {
        case 0:
            return depth == 1 || depth == 2 || depth == 4 || depth == 8 || depth == 16;
        case 3:
            return depth == 1 || depth == 2 || depth == 4 || depth == 8;
        case 2:
        case 4:
        case 6:
            return depth == 8 || depth == 16;
        default:
            return false;
    }
}

// Reads the samples of one row at its full depth.
class RowReader {
  public:
    RowReader(const uint8_t* row, uint32_t depth) : row_(row), depth_(depth) {}
    uint32_t operator[](size_t i) const {
        if (depth_ == 16) return static_cast<uint32_t>(row_[2 * i] << 8 | row_[2 * i + 1]);
        if (depth_ == 8) return row_[i];
        const size_t bit = i * depth_;
        return (row_[bit / 8] >> (8 - depth_ - bit % 8)) & ((1u << depth_) - 1);
    }

  private:
    const uint8_t* row_;
    uint32_t depth_;
};

// A sample as 8 bits: 16-bit by its high byte, low-depth grey scaled to 0..255
// as the format defines (1, 2, 4 bits: v * 255 / max, which is exact).
uint8_t to8(uint32_t v, uint32_t depth) {
    if (depth == 16) return static_cast<uint8_t>(v >> 8);
    if (depth == 8) return static_cast<uint8_t>(v);
    return static_cast<uint8_t>(v * 255 / ((1u << depth) - 1));
}

void convert_indexed(const RawPng& png, size_t stride, Picture& out) {
    out.indexed = true;
    for (size_t i = 0; i < png.palette.size(); ++i) {
        const PngRgb& c = png.palette[i];
        out.palette.push_back(
            Rgba{c.r, c.g, c.b, i < png.trns.size() ? png.trns[i] : uint8_t{255}});
    }
    out.indices.resize(size_t{png.width} * png.height);
    for (uint32_t y = 0; y < png.height; ++y) {
        const RowReader row(png.rows.data() + y * stride, png.depth);
        uint8_t* dst = out.indices.data() + size_t{y} * png.width;
        for (uint32_t x = 0; x < png.width; ++x) dst[x] = static_cast<uint8_t>(row[x]);
    }
}

void convert_direct(const RawPng& png, size_t stride, Picture& out) {
    const uint32_t n = channels_of(png.colour_type);
    const bool grey = png.colour_type == 0 || png.colour_type == 4;
    const bool alpha = png.colour_type == 4 || png.colour_type == 6;
    // A colour key: the pixel whose stored samples equal it is transparent. A
    // tRNS of the wrong length for its type is ignored, as it carries no key.
    const size_t key_length = png.colour_type == 0 ? 2 : png.colour_type == 2 ? 6 : 0;
    const bool keyed = key_length != 0 && png.trns.size() == key_length;
    uint32_t key[3] = {};
    for (size_t c = 0; keyed && c < key_length / 2; ++c)
        key[c] = static_cast<uint32_t>(png.trns[2 * c] << 8 | png.trns[2 * c + 1]);

    out.pixels.resize(size_t{png.width} * png.height);
    for (uint32_t y = 0; y < png.height; ++y) {
        const RowReader row(png.rows.data() + y * stride, png.depth);
        Rgba* dst = out.pixels.data() + size_t{y} * png.width;
        for (uint32_t x = 0; x < png.width; ++x) {
            const size_t s = size_t{x} * n;
            const uint32_t r = row[s];
            const uint32_t g = grey ? r : row[s + 1];
            const uint32_t b = grey ? r : row[s + 2];
            uint8_t a = alpha ? to8(row[s + n - 1], png.depth) : uint8_t{255};
            if (keyed && r == key[0] && (grey || (g == key[1] && b == key[2]))) a = 0;
            dst[x] = Rgba{to8(r, png.depth), to8(g, png.depth), to8(b, png.depth), a};
        }
    }
}

}  // namespace

bool decode_png_picture(const uint8_t* data, size_t size, Picture& out) {
    // The header chunk comes first: its fields decide before the codec runs.
    if (size < 33 || be32(data + 8) != 13 || std::memcmp(data + 12, "IHDR", 4) != 0)
        return fail(kReasonPngBroken);
    const uint32_t width = be32(data + 16), height = be32(data + 20);
    const uint8_t depth = data[24], type = data[25], interlace = data[28];
    if (!depth_allowed(type, depth) || interlace > 1) return fail(kReasonPngBroken);
    if (width == 0 || height == 0 || width > 0x7FFFFFFFu || height > 0x7FFFFFFFu)
        return fail(kReasonBmpSize);
    if (width > kMaxPictureSide || height > kMaxPictureSide) return fail(kReasonBmpTooLarge);

    RawPng png;
    if (!png_decode_raw(data, size, png) || png.width != width || png.height != height ||
        png.depth != depth || png.colour_type != type)
        return fail(kReasonPngBroken);
    const size_t stride = (size_t{width} * channels_of(type) * depth + 7) / 8;
    if (png.rows.size() < stride * height) return fail(kReasonPngBroken);

    out.width = width;
    out.height = height;
    if (type == 3) {
        convert_indexed(png, stride, out);
        return paint_indices(out);
    }
    convert_direct(png, stride, out);
    return true;
}

}  // namespace tw
