#pragma once
// BG screens: 64 x 64 cells of 16 bits (character 0-9, flips 10 and 11,
// palette 12-15) from a raw ".rscr" file or a BGPUT text, as a SCR body of
// four 32 x 32 blocks.

#include <cstdint>

#include "convert/convert_job.h"
#include "image/ptc_container.h"
#include "platform/files.h"
#include "text/bgput_parser.h"

namespace tw {

inline constexpr uint32_t kScrBodyLength = 8192;

// The body unit index of cell (x, y).
inline uint32_t scr_unit_index(uint32_t x, uint32_t y) {
    return (x % 32) + 32 * y + (x >= 32 ? 1024 : 0) + (y >= 32 ? 1024 : 0);
}

// The SCR buffer of the cells (low 16 bits of each).
ResourceBuffer scr_buffer_from_cells(const ScreenCells& cells);

// Reads job.path: BGPUT text when its ext is ".txt", a raw screen otherwise.
ResourceBuffer build_scr_body(const ConvertJob& job);

// Writes name_SCR.ptc.
bool convert_scr(ConvertJob job);

}  // namespace tw
