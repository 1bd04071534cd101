// Indexed PNG reading on arbitrary bytes. Chunk checksums are made right
// first, so the fuzzer reaches the header checks and the codec's inflation
// instead of stopping at the first checksum.

#include <cstdint>
#include <cstdlib>
#include <vector>

#include "picture/png_image.h"
#include "png_checksums.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<uint8_t> png(data, data + size);
    tw::fuzz::fix_checksums(png);
    tw::BmpImage img = tw::decode_png(png.data(), png.size(), 8, 8, 0xFF);
    if (img.pixel_count != 0 &&
        img.pixel_count != static_cast<uint32_t>(img.width) * static_cast<uint32_t>(img.height))
        abort();
    return 0;
}
