#pragma once
// Reading indexed BMP images, and the target's 16-bit colour format.

#include <cstdint>
#include <memory>
#include <vector>

#include "convert/convert_job.h"

namespace tw {

struct BmpImage {
    uint8_t col[532];                   // "PETITCOMPETC0100RCOL" and the 512-byte COL body
    std::unique_ptr<uint8_t[]> pixels;  // width x height colour indices, top row first
    uint8_t palette_rows;
    uint32_t pixel_count;  // 0: reading failed and nothing else is valid
    int32_t width;
    int32_t height;
};

inline constexpr uint32_t kColBodyLength = 512;
inline constexpr uint32_t kColBufferLength = 532;

// Bits 0-4 red, 5-9 green, 10-14 blue, bit 15 the lowest bit of a 6-bit green.
uint16_t rgb_to_col(uint8_t r, uint8_t g, uint8_t b);

// Reads job.path. unit_width x unit_height is the unit the caller cuts the
// image in (checked when pixel_mask is 15 and AutoTrim is on); pixel_mask is
// ANDed into 8-bit colour indices. Two-colour images may ask the user whether
// colour 1 moves to colour 15. A zero pixel_count means failure.
BmpImage read_bmp(const ConvertJob& job, int32_t unit_width, int32_t unit_height,
                  uint8_t pixel_mask);

// The same, on a file already in memory; `path` is only shown in the 1-bit question.
BmpImage decode_bmp(const uint8_t* data, size_t size, const char* path, int32_t unit_width,
                    int32_t unit_height, uint8_t pixel_mask);

// The fields of a BMP's file header and information header that every reader
// takes, read by one parser.
struct BmpHeader {
    uint32_t file_size;    // the file header's own size field
    uint32_t offset;       // where the pixel data starts, inside the file
    uint32_t header_size;  // of the information header, inside the bytes before the pixel data
    int32_t width;
    int32_t height;  // negative: the top row is stored first
    uint16_t planes;
    uint16_t bits;
    uint32_t compression;
    uint32_t colours_used;
};

// Reads the file header and the fields above. Information headers of 16 bytes
// or more start with the same fields (a short OS/2 2.x one leaves the missing
// ones 0); the 12-byte OS/2 1.x header has 16-bit width and height. False with
// the reason recorded when the signature is not "BM", the pixel data offset
// lies outside the file or the information header does not fit before it.
bool read_bmp_header(const uint8_t* data, size_t size, BmpHeader& out);

// The checks every indexed image passes before its pixels are read: at most
// kMaxPixels, and with pixel_mask 15 and AutoTrim a whole number of units.
// False with the reason recorded.
bool check_image_size(int32_t width, int32_t height, int32_t unit_width, int32_t unit_height,
                      uint8_t pixel_mask);

// img.col of a colour table of colour_count entries (blue, green, red, unused);
// with fix, colours 1 and 15 of every row change places.
void convert_palette(BmpImage& img, const uint8_t* table, uint32_t colour_count, bool fix);

// The whole of an image file, refused when it is larger than any image we take.
bool load_image_file(const char* path, std::vector<uint8_t>& bytes);

}  // namespace tw
