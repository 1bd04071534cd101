// Pictures of any kind (BMP, PNG) read as RGBA from arbitrary bytes. PNG chunk
// checksums are made right first, so the fuzzer reaches the codec's inflation
// and our sample conversion instead of stopping at the first checksum.

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "picture/picture.h"
#include "png_checksums.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<uint8_t> bytes(data, data + size);
    if (size >= 8 && data[0] == 0x89) tw::fuzz::fix_checksums(bytes);
    tw::Picture p;
    if (!tw::decode_picture(bytes.data(), bytes.size(), p)) {
        if (p.width != 0 || !p.pixels.empty() || !p.indices.empty()) abort();
        return 0;
    }
    const size_t count = size_t{p.width} * p.height;
    if (p.width == 0 || p.height == 0 || p.width > 16384 || p.height > 16384 ||
        p.pixels.size() != count || (p.indexed && p.indices.size() != count))
        abort();
    for (size_t i = 0; p.indexed && i < count; ++i)
        if (p.indices[i] >= p.palette.size() || !(p.pixels[i] == p.palette[p.indices[i]])) abort();
    return 0;
}
