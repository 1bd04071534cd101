#include "picture/picture_output.h"

#include <cstring>
#include <new>

#include "common/ascii_text.h"
#include "common/failure.h"
#include "extract/bmp_output.h"
#include "platform/files.h"
#include "platform/png.h"
#include "resources/texts.h"

namespace tw {
namespace {

bool encode(PictureFormat format, const std::vector<uint8_t>& pixels, uint32_t width,
            uint32_t height, const uint16_t (&colours)[256], std::vector<uint8_t>& file) {
    if (format == PICTURE_BMP) {
        file = bmp8_file(width, height, colours);
        for (uint32_t y = 0; y < height; ++y)  // stored bottom row first
            std::memcpy(file.data() + kBmp8PixelOffset + size_t{height - 1 - y} * width,
                        pixels.data() + size_t{y} * width, width);
        return true;
    }
    PngRgb palette[256];
    for (int i = 0; i < 256; ++i) {
        const uint32_t bgr = col_to_bgr0(colours[i]);
        palette[i] = {static_cast<uint8_t>(bgr >> 16), static_cast<uint8_t>(bgr >> 8),
                      static_cast<uint8_t>(bgr)};
    }
    return png_encode_indexed8(pixels.data(), width, height, palette, file);
}

}  // namespace

PictureFormat picture_format_of(std::string_view path) {
    if (ends_with_ci(path, ".png")) return PICTURE_PNG;
    if (ends_with_ci(path, ".bmp")) return PICTURE_BMP;
    return PICTURE_NONE;
}

bool write_indexed_picture(const char* path, const std::vector<uint8_t>& pixels, uint32_t width,
                           uint32_t height, const uint16_t (&colours)[256]) {
    const PictureFormat format = picture_format_of(path);
    std::vector<uint8_t> file;
    if (format == PICTURE_NONE || !encode(format, pixels, width, height, colours, file)) {
        set_failure(kReasonPictureEncode, path);
        return false;
    }
    if (!write_whole_file(path, file.data(), file.size())) {
        set_failure(kReasonWriteOutput, path);
        return false;
    }
    return true;
}

}  // namespace tw
