#pragma once
// Builds PNG files for tests without any codec: stored (uncompressed) deflate
// blocks, so the bytes are known exactly and every field is in reach.

#include <cstdint>
#include <vector>

namespace tw::test {

struct PngFixture {
    uint32_t width = 8;
    uint32_t height = 8;
    uint8_t depth = 8;
    uint8_t colour_type = 3;        // 3 indexed; 0 grey, 2 RGB, 4 grey + alpha, 6 RGBA
    std::vector<uint8_t> pixels;    // one index (or grey value) a pixel, top row first
    std::vector<uint16_t> samples;  // when not empty: every sample of every pixel, at full depth
    bool interlaced = false;        // Adam7
    std::vector<uint8_t> trns;      // written as the tRNS chunk when not empty
    std::vector<uint32_t> palette;  // 0xRRGGBB; written as the PLTE chunk when not empty
    bool break_deflate = false;     // spoil the compressed stream (checksums stay right)
};

std::vector<uint8_t> make_png(const PngFixture& fixture);

}  // namespace tw::test
