#pragma once
// QR symbols made through Nayuki's QR Code generator: the same source is built
// on every platform, so one input gives the same modules everywhere.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tw {

struct QrSymbol {
    uint32_t size = 0;          // modules a side, without the quiet zone
    std::vector<uint8_t> dark;  // size * size, top row first: 1 dark, 0 light
};

// The generator's own choice of mask: it draws all eight and keeps the one the
// penalty rules score best, eight times the work of a given mask.
inline constexpr int kQrMaskChosen = -1;

// `size` bytes as one 8-bit byte segment of a version 20 symbol at error
// correction level M (97 modules, 666 bytes at most), with mask 0 to 7 or
// kQrMaskChosen. False, out emptied, when the bytes do not fit or memory ran
// out: no exception leaves it.
bool qr_encode_v20m(const uint8_t* data, size_t size, int mask, QrSymbol& out);

}  // namespace tw
