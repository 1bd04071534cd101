#pragma once
// PNG chunk checksums made right on fuzzed bytes, so that a fuzzer reaches the
// codec's inflation and what follows instead of stopping at the first checksum.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tw::fuzz {

inline uint32_t crc32(const uint8_t* p, size_t n) {
    uint32_t c = 0xFFFFFFFFu;
    for (size_t i = 0; i < n; ++i) {
        c ^= p[i];
        for (int k = 0; k < 8; ++k) c = (c >> 1) ^ (0xEDB88320u & (0u - (c & 1)));
    }
    return c ^ 0xFFFFFFFFu;
}

inline void fix_checksums(std::vector<uint8_t>& png) {
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

}  // namespace tw::fuzz
