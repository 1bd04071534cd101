#include "picture/picture.h"

#include <cstring>
#include <vector>

#include "common/failure.h"
#include "picture/bmp_image.h"
#include "picture/picture_formats.h"
#include "resources/texts.h"

namespace tw {

bool paint_indices(Picture& out) {
    out.pixels.resize(out.indices.size());
    const size_t colours = out.palette.size();
    for (size_t i = 0; i < out.indices.size(); ++i) {
        const uint8_t index = out.indices[i];
        if (index >= colours) {
            set_failure(kReasonPictureIndex, static_cast<unsigned>(index),
                        static_cast<unsigned>(colours));
            return false;
        }
        out.pixels[i] = out.palette[index];
    }
    return true;
}

bool decode_picture(const uint8_t* data, size_t size, Picture& out) {
    static constexpr uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    out = Picture{};
    bool ok = false;
    if (size >= 8 && std::memcmp(data, kPngSignature, 8) == 0)
        ok = decode_png_picture(data, size, out);
    else if (size >= 2 && data[0] == 'B' && data[1] == 'M')
        ok = decode_bmp_picture(data, size, out);
    else if (size >= 3 && data[0] == 0xFF && data[1] == 0xD8 && data[2] == 0xFF)
        ok = decode_jpeg_picture(data, size, out);
    else if (size >= 6 &&
             (std::memcmp(data, "GIF87a", 6) == 0 || std::memcmp(data, "GIF89a", 6) == 0))
        ok = decode_gif_picture(data, size, out);
    else
        set_failure(kReasonPictureKind);
    // A failed picture holds nothing, so no caller can take half of one.
    if (!ok) out = Picture{};
    return ok;
}

bool read_picture_file(const char* path, Picture& out) {
    std::vector<uint8_t> bytes;
    return load_image_file(path, bytes) && decode_picture(bytes.data(), bytes.size(), out);
}

}  // namespace tw
