#include "maps/picture.h"

#include <cstring>

#include "common/failure.h"
#include "image/bmp_image.h"
#include "platform/png.h"
#include "resources/texts.h"

namespace tw {

// Interim: indexed PNG only, until the full decoder lands.
bool decode_picture(const uint8_t* data, size_t size, Picture& out) {
    PackedPng png;
    if (size < 8 || data[0] != 0x89 || !png_decode_indexed(data, size, png)) {
        set_failure(kReasonPngBroken);
        return false;
    }
    out = Picture{};
    out.width = png.width;
    out.height = png.height;
    out.indexed = true;
    for (const PngRgb& c : png.palette) out.palette.push_back(Rgba{c.r, c.g, c.b, 255});
    const size_t stride = (static_cast<size_t>(png.width) * png.depth + 7) / 8;
    const uint32_t max = (1u << png.depth) - 1;
    out.indices.resize(static_cast<size_t>(png.width) * png.height);
    out.pixels.resize(out.indices.size());
    for (uint32_t y = 0; y < png.height; ++y)
        for (uint32_t x = 0; x < png.width; ++x) {
            const uint32_t bit = x * png.depth;
            const uint8_t v = static_cast<uint8_t>(
                (png.rows[y * stride + bit / 8] >> (8 - png.depth - bit % 8)) & max);
            const size_t i = static_cast<size_t>(y) * png.width + x;
            out.indices[i] = v;
            out.pixels[i] = v < out.palette.size() ? out.palette[v] : Rgba{0, 0, 0, 255};
        }
    return true;
}

bool read_picture_file(const char* path, Picture& out) {
    std::vector<uint8_t> bytes;
    return load_image_file(path, bytes) && decode_picture(bytes.data(), bytes.size(), out);
}

}  // namespace tw
