#pragma once
// Reading an input file whole.

#include <cstdint>
#include <vector>

#include "common/text.h"

namespace tw {

// The whole file at path into out. False (reason recorded) when it cannot be
// opened or read whole, or when it is larger than `limit` bytes (then
// too_large is the reason, before anything is read).
bool read_input_file(const char* path, uint64_t limit, const Text& too_large,
                     std::vector<uint8_t>& out);

}  // namespace tw
