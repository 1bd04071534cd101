#pragma once
// The bits of a global tile id as Tiled stores them: the top four are flags,
// the rest is the id (0 for no tile).

#include <cstdint>

namespace tw {

inline constexpr uint32_t kGidFlipHorizontal = 0x80000000u;
inline constexpr uint32_t kGidFlipVertical = 0x40000000u;
inline constexpr uint32_t kGidFlipDiagonal = 0x20000000u;  // a transpose, applied first
inline constexpr uint32_t kGidHexRotation = 0x10000000u;   // hexagonal maps only
inline constexpr uint32_t kGidFlags = 0xF0000000u;
inline constexpr uint32_t kGidId = ~kGidFlags;

}  // namespace tw
