#pragma once
// Helpers of the package tests.

#include <cstring>
#include <stdexcept>
#include <string>

#include "package/package_slots.h"

namespace tw::test {

// The slot of that dialog label on the upper (or lower) screen.
inline const PackageSlot& slot(const char* name, bool lower = false) {
    for (size_t i = 0; i < kPackageSlotCount; ++i)
        if (std::strcmp(kPackageSlots[i].name, name) == 0 && kPackageSlots[i].lower == lower)
            return kPackageSlots[i];
    throw std::logic_error(name);
}

// A literal with embedded NULs, without its terminator.
template <size_t N>
std::string with_nuls(const char (&s)[N]) {
    return std::string(s, N - 1);
}

}  // namespace tw::test
