#pragma once
// PNG images through the platform's codec: libspng on POSIX, the Windows
// Imaging Component on Windows.
//
// Both sides move pixels as packed rows at the image's bit depth (the most
// significant bits first, each row ceil(width * depth / 8) bytes), so the
// unpacking and every check of the header live once in the core.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tw {

struct PngRgb {
    uint8_t r, g, b;
};

struct PackedPng {
    uint32_t width = 0;
    uint32_t height = 0;
    uint32_t depth = 0;           // 1, 2, 4 or 8
    std::vector<uint8_t> rows;    // height rows of ceil(width * depth / 8) bytes
    std::vector<PngRgb> palette;  // as many entries as the file has
};

// Decodes an indexed (palette) PNG whose header was already checked. False when
// the codec refused it (a broken chunk, a bad checksum, a short file) or the
// memory could not be had.
bool png_decode_indexed(const uint8_t* data, size_t size, PackedPng& out);

// Any PNG as the file holds it: the header's colour type and depth, interlacing
// undone and nothing else changed (no gamma, no tRNS applied, no expansion),
// so that the core turns the samples into colours the same way on every
// platform.
struct RawPng {
    uint32_t width = 0;
    uint32_t height = 0;
    uint8_t depth = 0;        // bits a sample: 1, 2, 4, 8 or 16
    uint8_t colour_type = 0;  // 0 grey, 2 RGB, 3 indexed, 4 grey + alpha, 6 RGBA
    // height rows of ceil(width * channels * depth / 8) bytes, samples in the
    // file's order (R, G, B, A), 16-bit samples high byte first
    std::vector<uint8_t> rows;
    std::vector<PngRgb> palette;  // indexed: as many entries as the file has
    // The tRNS chunk's body as stored: one alpha a palette entry (indexed), or
    // the transparent sample as 16-bit big-endian grey (2 bytes) or R, G, B (6).
    // Empty when the file has none.
    std::vector<uint8_t> trns;
};

// Decodes a PNG whose header was already checked. False when the codec refused
// it (a broken chunk, a bad checksum, a short file) or the memory could not be had.
bool png_decode_raw(const uint8_t* data, size_t size, RawPng& out);

// Encodes width x height 8-bit indices (top row first) with a 256-entry palette.
// False when the codec failed.
bool png_encode_indexed8(const uint8_t* pixels, uint32_t width, uint32_t height,
                         const PngRgb (&palette)[256], std::vector<uint8_t>& out);

// Encodes width x height RGBA pixels (4 bytes each, top row first) as a PNG of
// 8-bit RGBA. False when the codec failed.
bool png_encode_rgba8(const uint8_t* rgba, uint32_t width, uint32_t height,
                      std::vector<uint8_t>& out);

// Encodes width x height pixels of one bit as a 1-bit greyscale PNG. `rows` holds
// height rows of ceil(width / 8) bytes, the leftmost pixel in the most
// significant bit, 0 black and 1 white (as the file stores them). False when
// the codec failed.
bool png_encode_bilevel(const uint8_t* rows, uint32_t width, uint32_t height,
                        std::vector<uint8_t>& out);

// The codec's name and version, for --version.
const char* png_codec_name();

}  // namespace tw
