#pragma once
// Builds BMP files for tests, byte by byte, with every header field in reach.

#include <cstdint>
#include <string>
#include <vector>

namespace tw::test {

struct BmpFixture {
    int32_t width = 8;
    int32_t height = 8;
    uint16_t bits = 8;
    std::vector<uint8_t> pixels;    // colour indices, top row first; zeros when empty
    std::vector<uint32_t> palette;  // 0xRRGGBB; the table holds exactly these entries
    uint32_t colours_used = 0;      // the header field
    uint32_t header_size = 40;      // 40, 108 (V4), 124 (V5) ...
    uint32_t compression = 0;
    bool top_down = false;        // store a negative height and the rows top first
    int64_t file_size_delta = 0;  // added to the file size field
    size_t cut_bytes = 0;         // bytes dropped from the end of the file
};

std::vector<uint8_t> make_bmp(const BmpFixture& fixture);
void write_bmp_file(const std::string& path, const BmpFixture& fixture);

// A grey ramp palette of n entries: entry i = (i, i, i) * 255 / (n - 1).
std::vector<uint32_t> ramp_palette(size_t n);

}  // namespace tw::test
