#pragma once
// SCR bodies back to a raw ".rscr" screen (cells high byte first, screen
// order) and a text of 4096 BGPUT statements.

#include <string>

#include "extract/input_cursor.h"

namespace tw {

// Writes base_path + part_name + "_SCR.rscr" and "_SCR.txt" from the 8192-byte body at the cursor.
bool scr_to_files(InputCursor& in, const char* base_path, const std::string& part_name);

}  // namespace tw
