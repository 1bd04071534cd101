#pragma once
// The palette named by `--palette FILE`.

#include <cstdint>

namespace tw {

// A COL PTC file, or an indexed picture (BMP or PNG) whose palette is read as
// every indexed picture's is, without the two-colour question (its colours as
// they stand). False with the reason recorded.
bool read_palette_file(const char* path, uint16_t (&colours)[256]);

}  // namespace tw
