#pragma once
// Taking a PTC file, single resource or package, apart into its own folder
// "PTC_" + resource name below the job's out_dir.

#include "convert/convert_job.h"

namespace tw {

// True when every record up to the end of the file was written; false at the
// first failure (the outputs before it stay).
bool extract_ptc(ConvertJob job);

}  // namespace tw
