#pragma once
// Any file as raw bytes in graphic pages (BIN): parts of 49152 bytes, each a
// GRP resource laid out as a 256 x 192 image whose pixel (x, y) is byte
// y * 256 + x of the part.

#include <cstdint>

#include "convert/convert_job.h"

namespace tw {

// Files of this size and more are refused: the format counts bytes in 32 bits.
inline constexpr uint64_t kBinMaxBytes = uint64_t{1} << 32;

// ceil(length / 49152).
uint32_t bin_part_count(uint64_t length);

// Reads job.path one part at a time, so memory does not grow with the input.
bool convert_bin(ConvertJob job);

}  // namespace tw
