// Indexed PNG reading on arbitrary bytes. Chunk checksums are made right
// first, so the fuzzer reaches the header checks and the codec's inflation
// instead of stopping at the first checksum.

#include <cstdint>
#include <cstdlib>
#include <vector>

#include "image/png_image.h"

namespace {

uint32_t crc32(const uint8_t* p, size_t n) {
    uint32_t c = 0xFFFFFFFFu;
    for (size_t i = 0; i < n; ++i) {
        c ^= p[i];
        for (int k = 0; k < 8; ++k) c = (c >> 1) ^ (0xEDB88320u & (0u - (c & 1)));
    }
    return c ^ 0xFFFFFFFFu;
}

void fix_checksums(std::vector<uint8_t>& png) {
    size_t at = 8;
    while (at + 12 <= png.size()) {
        const size_t n = size_t{png[at]} << 24 | png[at + 1] << 16 | png[at + 2] << 8 | png[at + 3];
        if (n > png.size() - at - 12) break;
        const uint32_t c = crc32(&png[at + 4], n + 4);
        for (int k = 0; k < 4; ++k)
            png[at + 8 + n + static_cast<size_t>(k)] = static_cast<uint8_t>(c >> (24 - 8 * k));
        at += n + 12;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<uint8_t> png(data, data + size);
    fix_checksums(png);
    tw::BmpImage img = tw::decode_png(png.data(), png.size(), 8, 8, 0xFF);
    if (img.pixel_count != 0 &&
        img.pixel_count != static_cast<uint32_t>(img.width) * static_cast<uint32_t>(img.height))
        abort();
    return 0;
}
