#pragma once
// Single-resource PTC files read back whole, for use as they stand.

#include "image/ptc_container.h"

namespace tw {

// The file starts with the PTC magic.
bool is_ptc_file(const char* path);

// The resource of a single-resource PTC file (the resource magic, its type
// string and body) when its type string ends in the kind's tag and its body has
// the kind's length. Empty, with the reason recorded, otherwise.
ResourceBuffer read_ptc_resource(const char* path, const ResourceKind& kind);

}  // namespace tw
