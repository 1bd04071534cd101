#pragma once
// What the text converters share: reading an input whole, and naming and
// writing the one PTC file they make.

#include <cstdint>
#include <vector>

#include "convert/convert_job.h"
#include "image/ptc_container.h"

namespace tw {

// The whole file at path. False (reason recorded) when it cannot be opened or read whole.
bool read_whole_text(const char* path, std::vector<uint8_t>& out);

// res_name from job.name (or default_name), out_path from fmt ("%s%s_XXX.ptc" of
// out_dir and name), then write_ptc.
bool write_text_resource(ConvertJob& job, const char* default_name, const char* fmt,
                         const ResourceBuffer& buf, uint32_t type_code);

}  // namespace tw
