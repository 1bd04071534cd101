#pragma once
// The reason for the last failed conversion.
//
// Converters return plain success flags. Where a failure is decided they
// also leave a one-line reason here, which the command line prints; the
// desktop program shows only the batch summary and never reads it.

#include <new>

#include "common/fixed_text.h"

namespace tw {

void set_failure(const char* fmt, ...) TW_PRINTF(1, 2);
// Keeps an earlier, more specific reason when one is already recorded.
void set_failure_if_none(const char* fmt, ...) TW_PRINTF(1, 2);
void clear_failure();
const char* last_failure();  // "" when nothing failed since the last clear

// Memory that cannot be had throws std::bad_alloc wherever it is asked for; the
// entry of each conversion (a file of a batch, a package, a map, a render) runs
// its work through here, so that it becomes a failure with its reason.
void set_out_of_memory();
template <typename Work>
auto guard_memory(Work&& work) -> decltype(work()) {
    try {
        return work();
    } catch (const std::bad_alloc&) {
        set_out_of_memory();
        return {};
    }
}

}  // namespace tw
