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

// res_name from job.name (or the kind's tag), out_path out_dir + name +
// "_TAG.ptc", then write_ptc with the kind's type code.
bool write_text_resource(ConvertJob& job, const ResourceKind& kind, const ResourceBuffer& buf);

}  // namespace tw
