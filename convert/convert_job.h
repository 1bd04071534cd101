#pragma once
// One input file: its path split into parts, its output folder and the
// converter that handles it. Decided from the name alone, never the contents.

#include <cstdint>

#include "platform/paths.h"

namespace tw {

enum ConversionKind : int32_t {
    KIND_PRG = 0,
    KIND_MEM = 1,
    KIND_SCR = 4,
    KIND_IMAGE = 11,
    KIND_EXTRACT = 12,
    KIND_BIN = 13,
    KIND_NO_OUTPUT_DIR = 65535,
};

struct ConvertJob {
    char path[260];
    char dir[260];  // without the drive, ending in its separator
    char name[260];
    char ext[260];  // lowered, with its dot; empty when there is none
    char out_dir[260];
    char out_path[260];  // filled by each converter
    char res_name[16];   // filled by each converter
    int32_t kind;
};

// Builds the job of a full path (at most 259 characters). With create_folders
// the output folders PTC/ and PTC/<name>/ are made; a folder that cannot be
// made, or a path or folder that does not fit its field, gives KIND_NO_OUTPUT_DIR.
ConvertJob make_convert_job(const char* path, bool create_folders);
// The same with the path read in the code page of `lead` (tests of Shift-JIS paths anywhere).
ConvertJob make_convert_job(const char* path, bool create_folders, LeadByteTest lead);

// ext equals the literal with its ASCII letters lowered.
bool job_has_ext(const ConvertJob& job, const char* ext);
// name ends in suffix, ASCII letters compared without regard to case.
bool job_name_ends_with(const ConvertJob& job, const char* suffix);

}  // namespace tw
