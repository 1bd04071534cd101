#pragma once
// SCR bodies back to a raw ".rscr" screen (cells high byte first, screen
// order) and a text of 4096 BGPUT statements.

#include <string>

#include "extract/input_cursor.h"

namespace tw {

// Writes base_path + part_name + each of the SCR kind's extracted endings from
// the body at the cursor.
bool scr_to_files(InputCursor& in, const char* base_path, const std::string& part_name);

}  // namespace tw
