#pragma once
// Reading indexed BMP images.

#include <cstdint>
#include <memory>
#include <vector>

#include "convert/convert_job.h"
#include "image/colour.h"
#include "image/resource_kinds.h"

namespace tw {

struct BmpImage {
    uint8_t col[kResourcePrefixLength + kColKind.body_length];  // a whole COL resource
    std::unique_ptr<uint8_t[]> pixels;  // width x height colour indices, top row first
    uint8_t palette_rows;
    uint32_t pixel_count;  // 0: reading failed and nothing else is valid
    int32_t width;
    int32_t height;
};

inline constexpr uint32_t kColBufferLength = kResourcePrefixLength + kColKind.body_length;

// Reads job.path. unit_width x unit_height is the unit the caller cuts the
// image in (checked when pixel_mask is 15 and AutoTrim is on); pixel_mask is
// ANDed into 8-bit colour indices. Two-colour images may ask the user whether
// colour 1 moves to colour 15. A zero pixel_count means failure.
BmpImage read_bmp(const ConvertJob& job, int32_t unit_width, int32_t unit_height,
                  uint8_t pixel_mask);

// The same, on a file already in memory; `path` is only shown in the 1-bit question.
BmpImage decode_bmp(const uint8_t* data, size_t size, const char* path, int32_t unit_width,
                    int32_t unit_height, uint8_t pixel_mask);

// Decoding alone: a two-colour image keeps its colours 0 and 1. bits_out is the
// file's bit count.
BmpImage decode_bmp_pixels(const uint8_t* data, size_t size, int32_t unit_width,
                           int32_t unit_height, uint8_t pixel_mask, uint32_t& bits_out);

// The two-colour rule, the one step after decoding for every reader (BMP and
// PNG alike): a picture of `bits` 1 whose colour 1 is to move to 15, as the
// settings say or the user answers, gets colours 1 and 15 of every palette row
// swapped and its pixels of colour 1 made 15. Asks at most once.
void apply_one_bit_rule(BmpImage& img, uint32_t bits, const char* path);

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
