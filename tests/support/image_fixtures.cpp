#include "support/image_fixtures.h"

#include <cstring>

#include "platform/md5.h"
#include "support/temp_dir.h"

namespace tw::test {

BmpImage make_image(int32_t width, int32_t height,
                    const std::function<uint8_t(int32_t, int32_t)>& value) {
    BmpImage img{};
    img.width = width;
    img.height = height;
    img.pixel_count = static_cast<uint32_t>(width * height);
    img.palette_rows = 16;
    img.pixels.reset(new uint8_t[img.pixel_count]);
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x)
            img.pixels[static_cast<size_t>(y * width + x)] = value(x, y);
    std::memcpy(img.col, "PETITCOMPETC0100RCOL", 20);
    return img;
}

PtcFile read_ptc(const std::string& path) {
    PtcFile p;
    auto f = read_file(path);
    if (f.size() < 48 || std::memcmp(f.data(), "PX01", 4) != 0) return p;
    auto u32 = [&](size_t at) {
        return f[at] | f[at + 1] << 8 | f[at + 2] << 16 | static_cast<uint32_t>(f[at + 3]) << 24;
    };
    p.length_field = u32(4);
    p.type_code = u32(8);
    p.name = std::string(reinterpret_cast<const char*>(f.data() + 12),
                         strnlen(reinterpret_cast<const char*>(f.data() + 12), 8));
    p.type_string.assign(f.begin() + 36, f.begin() + 48);
    p.body.assign(f.begin() + 48, f.end());
    std::vector<uint8_t> hashed{'P', 'E', 'T', 'I', 'T', 'C', 'O', 'M'};
    hashed.insert(hashed.end(), f.begin() + 36, f.end());
    uint8_t d[16];
    p.valid = p.length_field == f.size() - 36 && md5_digest(hashed.data(), hashed.size(), d) &&
              std::memcmp(d, f.data() + 20, 16) == 0;
    return p;
}

}  // namespace tw::test
