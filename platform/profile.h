#pragma once
// Profile (INI) files: sections of key=value lines.
//
// Sections and keys match without regard to letter case. An absent key
// reads as the caller's default. A write changes that one key (adding the
// key or the section when missing, creating the file when missing) and keeps
// every other line as it was.

#include <cstddef>
#include <cstdint>

namespace tw {

// The integer under section/key, or def when the key is absent or empty.
int32_t profile_read_int(const char* section, const char* key, int32_t def, const char* path);

// The string under section/key (or def when absent) into out[cap], cut to cap - 1
// characters as the profile API does. Returns the number of characters stored.
size_t profile_read_string(const char* section, const char* key, const char* def, char* out,
                           size_t cap, const char* path);

bool profile_write_string(const char* section, const char* key, const char* value,
                          const char* path);

}  // namespace tw
