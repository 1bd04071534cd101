#pragma once
// MEM and PRG bodies back to text: MEM$="..." and the program text, raw, with
// escapes, or in full-width Shift-JIS.

#include <cstddef>
#include <cstdint>
#include <string>

#include "extract/input_cursor.h"

namespace tw {

// The target code a MEM unit stands for, or -1 when it stands for none.
int mem_unit_to_code(uint16_t unit);

// Appends b as itself, as "\\" for 0x5C, or as "\XX" for the codes below 0x20,
// 0x7F to 0x9F and 0xE0 to 0xFF.
void write_escaped_byte(std::string& out, uint8_t b);

// The 516-byte MEM body at the cursor as base_path + "_MEM.txt". False when a
// unit has no code (the text is still written without it).
bool mem_to_text(InputCursor& in, const char* base_path);

// text_length bytes of program text at the cursor (inside a file of file_size
// bytes) as base_path + "_PRG.txt".
bool prg_to_text(InputCursor& in, uint64_t file_size, const char* base_path, uint32_t text_length);

}  // namespace tw
