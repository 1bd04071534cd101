#pragma once
// Program text to PRG: the text in target codes, lines ended by CR, behind a
// 12-byte header (two package masks and the text length), padded to 4 bytes.

#include <cstddef>
#include <cstdint>

#include "convert/convert_job.h"
#include "image/ptc_container.h"

namespace tw {

// Reads job.path and builds the PRG buffer; empty on failure.
ResourceBuffer build_prg_body(const ConvertJob& job);
// The same from a text in memory (changed in place).
ResourceBuffer prg_body_from_text(uint8_t* text, size_t n);

// True when the text is read in full-width mode: no byte at an even offset is 0x21-0x7F.
bool prg_is_fullwidth(const uint8_t* text, size_t n);

// Writes name_PRG.ptc.
bool convert_prg(ConvertJob job);

}  // namespace tw
