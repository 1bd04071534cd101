#pragma once
// BmpImage values built in memory, and reading PTC files back for checks.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "picture/bmp_image.h"

namespace tw::test {

// An image whose pixel (x, y) is value(x, y).
BmpImage make_image(int32_t width, int32_t height,
                    const std::function<uint8_t(int32_t, int32_t)>& value);

struct PtcFile {
    bool valid = false;
    uint32_t length_field = 0;
    uint32_t type_code = 0;
    std::string name;         // up to the first NUL of the 8-byte field
    std::string type_string;  // 12 characters
    std::vector<uint8_t> body;
};

// Reads a PTC file and checks its length field and digest (valid = both hold).
PtcFile read_ptc(const std::string& path);

}  // namespace tw::test
