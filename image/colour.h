#pragma once
// The target's 16-bit colour, both ways: bits 0-4 red, 5-9 green, 10-14 blue,
// bit 15 the lowest bit of a 6-bit green. Going to the target keeps the top 5
// bits of each channel (and the 6th of green); coming back widens them with
// zeros, so a colour that went there and back keeps those bits exactly.

#include <cstdint>

namespace tw {

struct Rgb {
    uint8_t r, g, b;
};

uint16_t rgb_to_col(uint8_t r, uint8_t g, uint8_t b);
Rgb col_to_rgb(uint16_t c);

// The target colour nearest an 8-bit colour, channel by channel: what widens
// back closest to it (rgb_to_col truncates instead).
uint16_t rgb_to_nearest_col(uint8_t r, uint8_t g, uint8_t b);

// The BMP palette entry of a target colour: blue, green, red, 0 as a
// little-endian 32-bit number.
uint32_t col_to_bgr0(uint16_t c);

}  // namespace tw
