#pragma once
// QR symbols found in a picture: single codes, sheets of many, screenshots and
// photos. quirc (ISC) reads them on every platform, so that one picture gives
// the same codes everywhere.

#include <cstdint>
#include <vector>

#include "picture/picture.h"

namespace tw {

// A picture in grey, one byte a pixel, top row first.
struct GreyPicture {
    uint32_t width = 0;
    uint32_t height = 0;
    std::vector<uint8_t> pixels;
};

// Grey from RGBA, transparent parts seen over white.
GreyPicture grey_of(const Picture& picture);

// The byte payload of every QR symbol found, each once, in the order found.
std::vector<std::vector<uint8_t>> read_qr_symbols(const GreyPicture& picture);

}  // namespace tw
