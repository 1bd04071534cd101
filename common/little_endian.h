#pragma once
// Little-endian numbers in byte buffers, as every file format here stores them.

#include <cstdint>

namespace tw {

inline uint16_t get_le16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}
inline uint32_t get_le32(const uint8_t* p) {
    return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24;
}
inline void put_le16(uint8_t* p, uint32_t v) {
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
}
inline void put_le32(uint8_t* p, uint32_t v) {
    put_le16(p, v);
    put_le16(p + 2, v >> 16);
}

}  // namespace tw
