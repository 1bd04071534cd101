// JPEG and GIF through stb_image, the same code on every platform, so that one
// file gives the same samples everywhere.

#include <cstring>

#include "common/failure.h"
#include "picture/picture_formats.h"
#include "resources/texts.h"

#define STB_IMAGE_IMPLEMENTATION
#define STB_IMAGE_STATIC
#define STBI_ONLY_JPEG
#define STBI_ONLY_GIF
#define STBI_NO_STDIO
#define STBI_NO_LINEAR
#define STBI_NO_HDR
#define STBI_MAX_DIMENSIONS 16384
#include <stb_image.h>

namespace tw {
namespace {

// The picture at data, its first frame for a GIF, as RGBA.
bool decode_with_stb(const uint8_t* data, size_t size, Picture& out) {
    if (size > 0x7FFFFFFF) {
        set_failure(kReasonBmpTooLarge);
        return false;
    }
    const int length = static_cast<int>(size);
    int w = 0, h = 0, channels = 0;
    // The size first: nothing is allocated for a picture we would refuse.
    if (!stbi_info_from_memory(data, length, &w, &h, &channels)) {
        set_failure(kReasonStbBroken, stbi_failure_reason());
        return false;
    }
    if (w <= 0 || h <= 0 || uint32_t(w) > kMaxPictureSide || uint32_t(h) > kMaxPictureSide) {
        set_failure(kReasonBmpTooLarge);
        return false;
    }
    stbi_uc* pixels = stbi_load_from_memory(data, length, &w, &h, &channels, 4);
    if (pixels == nullptr) {
        set_failure(kReasonStbBroken, stbi_failure_reason());
        return false;
    }
    out.width = static_cast<uint32_t>(w);
    out.height = static_cast<uint32_t>(h);
    out.pixels.resize(size_t(out.width) * out.height);
    std::memcpy(out.pixels.data(), pixels, out.pixels.size() * sizeof(Rgba));
    stbi_image_free(pixels);
    return true;
}

}  // namespace

bool decode_jpeg_picture(const uint8_t* data, size_t size, Picture& out) {
    return decode_with_stb(data, size, out);
}

bool decode_gif_picture(const uint8_t* data, size_t size, Picture& out) {
    return decode_with_stb(data, size, out);
}

}  // namespace tw
