// Pictures of any kind (BMP, PNG) read as RGBA from arbitrary bytes. PNG chunk
// checksums are made right first, so the fuzzer reaches the codec's inflation
// and our sample conversion instead of stopping at the first checksum.

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "maps/picture.h"

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
    std::vector<uint8_t> bytes(data, data + size);
    if (size >= 8 && data[0] == 0x89) fix_checksums(bytes);
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
