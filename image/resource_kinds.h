#pragma once
// The kinds of resource a PTC file holds, each written out once: its tag, its
// type string, the type code of the file header, the length of its body, and
// the names a conversion and an extraction give its files. The container, the
// converters, the extraction walk, the package slots, `info` and `render` all
// read these rows rather than spelling the facts again.

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace tw {

// The magic at the start of a PTC file, and the one that stands before the type
// string of every resource (hashed, but not stored in the file).
inline constexpr char kPtcMagic[] = "PX01";
inline constexpr char kResourceMagic[] = "PETITCOM";
inline constexpr uint32_t kPtcMagicLength = 4;
inline constexpr uint32_t kResourceMagicLength = 8;
inline constexpr uint32_t kTypeStringLength = 12;
inline constexpr uint32_t kTypeSuffixLength = 4;
// A resource in memory: its magic, its type string, then its body.
inline constexpr uint32_t kResourcePrefixLength = kResourceMagicLength + kTypeStringLength;
// A PTC file: magic, length, type code, name (8), digest (16); then the type string.
inline constexpr uint32_t kPtcHeaderLength = 36;
inline constexpr uint32_t kPtcNameOffset = 12;
inline constexpr uint32_t kPtcDigestOffset = 20;

struct ResourceKind {
    const char* type_string;  // 12 characters: "PETC0100RCHR"; the tag is its last three
    uint32_t type_code;       // the number in the file header
    uint32_t body_length;     // 0 for a program, whose length is in its own header
    // The endings of the files extraction writes for a record, after the package's
    // name and the record's part name ("_SPU0"...); the second may be nullptr.
    const char* extracted[2];

    // "PRG", "MEM", "GRP", "CHR", "SCR" or "COL"; also the resource name a
    // conversion uses when the file's own name gives none.
    const char* tag() const { return type_string + 9; }
    // "RPRG", "RMEM", ...: the type string's last four, which a QR set's stream
    // carries in place of the whole type string and the type code.
    const char* suffix() const { return type_string + 8; }
};

inline constexpr ResourceKind kPrgKind{"PETC0300RPRG", 0, 0, {"_PRG.txt", nullptr}};
inline constexpr ResourceKind kMemKind{"PETC0200RMEM", 1, 516, {"_MEM.txt", nullptr}};
inline constexpr ResourceKind kGrpKind{"PETC0100RGRP", 2, 49152, {".bmp", nullptr}};
inline constexpr ResourceKind kChrKind{"PETC0100RCHR", 3, 8192, {".bmp", nullptr}};
inline constexpr ResourceKind kScrKind{"PETC0100RSCR", 4, 8192, {"_SCR.rscr", "_SCR.txt"}};
inline constexpr ResourceKind kColKind{"PETC0100RCOL", 5, 512, {".bmp", nullptr}};

// A program's body starts with two package masks and the length of its text
// (32 bits each), then the text, padded to a multiple of 4 bytes.
inline constexpr uint32_t kPrgHeaderLength = 12;

inline constexpr const ResourceKind* kResourceKinds[] = {&kPrgKind, &kMemKind, &kGrpKind,
                                                         &kChrKind, &kScrKind, &kColKind};

// The kind of a 3-letter tag, or nullptr when no kind has it.
const ResourceKind* resource_kind_by_tag(std::string_view tag);
// The kind of a 4-byte type suffix ("RCHR"), or nullptr when no kind has it.
const ResourceKind* resource_kind_by_suffix(std::string_view suffix);

// The path a conversion writes a resource to: out_dir + name + "_" + stem +
// ".ptc", with the part number before ".ptc" when part >= 0 ("NAME_CHR.ptc",
// "NAME_CHR1.ptc"). The stem is the kind's tag, or "BIN" for binary data.
// False when the path does not fit cap bytes.
bool ptc_output_path(char* dst, size_t cap, const char* out_dir, const char* name, const char* stem,
                     int32_t part = -1);

}  // namespace tw
