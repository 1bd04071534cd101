#pragma once
// Splitting a path into drive, folder, base name and extension.
//
// The path is read in the system's double-byte code page: a lead byte and
// the byte after it are one character, so a trail byte that happens to equal
// '\' or '.' is never taken for a separator or a dot. The lead-byte test is
// a parameter so that the Shift-JIS case can be tested anywhere.

#include <cstddef>

namespace tw {

using LeadByteTest = bool (*)(unsigned char);

// The test of this platform: the ANSI code page on Windows; none on POSIX,
// where paths are UTF-8 and no multibyte sequence holds '\', '/' or '.'.
bool system_lead_byte(unsigned char c);

// Shift-JIS (code page 932) lead bytes.
bool shift_jis_lead_byte(unsigned char c);

struct PathParts {
    char drive[260];  // "C:" or empty
    char dir[260];    // folder without the drive, ending in its separator, or empty
    char name[260];   // file name without its extension
    char ext[260];    // from the last dot of the file name on, or empty
};

// False when the path is 260 bytes or longer.
bool split_path(const char* path, PathParts& out, LeadByteTest lead = system_lead_byte);

}  // namespace tw
