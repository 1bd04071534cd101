#pragma once
// The reason for the last failed conversion.
//
// Converters return plain success flags. Where a failure is decided they
// also leave a one-line reason here, which the command line prints; the
// desktop program shows only the batch summary and never reads it.

#include "common/fixed_text.h"

namespace tw {

void set_failure(const char* fmt, ...) TW_PRINTF(1, 2);
// Keeps an earlier, more specific reason when one is already recorded.
void set_failure_if_none(const char* fmt, ...) TW_PRINTF(1, 2);
void clear_failure();
const char* last_failure();  // "" when nothing failed since the last clear

}  // namespace tw
