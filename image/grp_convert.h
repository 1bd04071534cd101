#pragma once
// BMP images to graphic pages (GRP) of 256 x 192 pixels at 8 bits.

#include "convert/convert_job.h"

namespace tw {

// One COL file and one or more GRP files (and with TextOut the DATA text) of job.path.
bool convert_grp(ConvertJob job);

}  // namespace tw
