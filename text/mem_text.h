#pragma once
// MEM$ text to MEM: the string between MEM$=" and the last double quote,
// escapes decoded, as up to 256 16-bit units and their count.

#include <cstddef>
#include <cstdint>

#include "convert/convert_job.h"
#include "image/ptc_container.h"

namespace tw {

inline constexpr uint32_t kMemBufferLength = kResourcePrefixLength + kMemKind.body_length;

// Reads job.path and builds the 536-byte MEM buffer; empty on failure.
ResourceBuffer build_mem_body(const ConvertJob& job);
// The same from bytes in memory.
ResourceBuffer mem_body_from_bytes(const uint8_t* data, size_t size);

// Writes name_MEM.ptc.
bool convert_mem(ConvertJob job);

}  // namespace tw
