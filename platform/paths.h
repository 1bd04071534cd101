#pragma once
// Splitting a path into drive, folder, base name and extension.
//
// The path is read in the system's double-byte code page: a lead byte and
// the byte after it are one character, so a trail byte that happens to equal
// '\' or '.' is never taken for a separator or a dot. The lead-byte test is
// a parameter so that the Shift-JIS case can be tested anywhere.

#include <cstddef>
#include <string>
#include <string_view>

#include "common/text.h"

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

// Names that come from a file (a resource name) become folder and file names.
// Windows takes some names as other names (a trailing dot or space is dropped)
// or not at all; such a name is refused before anything is written rather than
// written somewhere else. Returns why `name` cannot stand as written, or
// nullptr when it can. `carried` tells whether the ANSI code page holds every
// character of the name (and gives back the same bytes).
const Text* windows_name_fault(std::string_view name, LeadByteTest lead,
                               bool (*carried)(std::string_view));

// The rule of this platform: Windows's there, none on POSIX (any byte but '/'
// and NUL can stand in a name).
const Text* system_name_fault(std::string_view name);

// A name as the reason shows it: bytes outside printable ASCII as \xNN.
std::string shown_name(std::string_view name);

// False when the path is 260 bytes or longer.
bool split_path(const char* path, PathParts& out, LeadByteTest lead = system_lead_byte);

}  // namespace tw
