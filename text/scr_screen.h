#pragma once
// BG screens from a raw ".rscr" file or a BGPUT text, as SCR resources.

#include <cstdint>

#include "convert/convert_job.h"
#include "image/ptc_container.h"
#include "platform/files.h"
#include "text/bgput_parser.h"
#include "text/screen_cells.h"

namespace tw {

// The SCR buffer of the cells (low 16 bits of each).
ResourceBuffer scr_buffer_from_cells(const ScreenCells& cells);

// Reads job.path: BGPUT text when its ext is ".txt", a raw screen otherwise.
ResourceBuffer build_scr_body(const ConvertJob& job);

// Writes name_SCR.ptc.
bool convert_scr(ConvertJob job);

}  // namespace tw
