#pragma once
// Any picture a paint program saves, as 8-bit RGBA samples: every PNG (grey,
// grey + alpha, RGB, RGBA, indexed, 1 to 16 bits a channel, interlaced, tRNS)
// and every uncompressed or bit-field BMP (1, 4, 8, 16, 24, 32 bits, top-down
// or bottom-up), and JPEG and GIF (its first frame) through stb_image.
// Samples are taken as stored: no gamma or colour profile, a
// 16-bit sample by its high byte, grey as equal red, green and blue, a BMP bit
// field narrower than 8 bits scaled as (v * 255 + max / 2) / max. So every
// platform reads a file to the same samples.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tw {

struct Rgba {
    uint8_t r, g, b, a;
    friend bool operator==(const Rgba&, const Rgba&) = default;
};

struct Picture {
    uint32_t width = 0;
    uint32_t height = 0;
    std::vector<Rgba> pixels;  // width x height, top row first; a = 255 where the file has no alpha
    // An indexed file (a PNG with a palette, a BMP of 1, 4 or 8 bits) also keeps
    // its indices and palette (alpha from tRNS, else 255), for the palette
    // rules that go by index.
    bool indexed = false;
    std::vector<uint8_t> indices;  // width x height when indexed
    std::vector<Rgba> palette;     // the file's palette entries when indexed
};

// Decodes a PNG, a BMP, a JPEG or a GIF, told apart by the signature. False
// with the reason recorded when the file is none of them, is broken, or is
// larger than 16384 x 16384.
bool decode_picture(const uint8_t* data, size_t size, Picture& out);

// The same on a whole file.
bool read_picture_file(const char* path, Picture& out);

}  // namespace tw
