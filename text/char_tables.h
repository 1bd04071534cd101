#pragma once
// The target's one-byte character codes and their Shift-JIS and MEM forms.
//
// Codes 0x20-0x7D are ASCII (0x5C shown as the yen sign), 0xA1-0xDF the
// half-width katakana of JIS X 0201, 0x0D the line end, the rest graphic
// symbols of the target. All tables are compiled in.

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace tw {

// One or two target codes for a full-width character; count 0 when it is not in the table.
struct FullwidthCodes {
    uint8_t count;
    uint8_t codes[2];
};

// Shift-JIS full-width character (lead, trail) to target codes.
FullwidthCodes fullwidth_to_code(uint8_t lead, uint8_t trail);

// Target code to Shift-JIS text of one or two bytes. Never empty.
std::string_view code_to_fullwidth(uint8_t code);

// Target code to the 16-bit unit of a MEM body.
uint16_t code_to_mem_unit(uint8_t code);

// 16 x first + second for two hexadecimal digits (either case), else -1.
int hex_pair_value(uint8_t first, uint8_t second);

// With PRG_ESCAPE on, decodes backslash escapes of b[0..n) in place in one
// pass: a backslash and two hexadecimal digits give that code, a backslash and
// any other character give that character, a backslash at the very end is
// dropped. Returns the new length (n unchanged with PRG_ESCAPE off).
size_t decode_escapes(uint8_t* b, size_t n);

// Fills the units and count of a 536-byte MEM buffer from count <= 256 codes.
void encode_mem_chars(uint8_t* mem_buffer, const uint8_t* codes, size_t count);

}  // namespace tw
