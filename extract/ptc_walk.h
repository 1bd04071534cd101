#pragma once
// The walk over the records of a PTC file, single resource or package: each
// record is found by the "R" before its 3-letter tag, its body length known
// from the tag (a program's from its own header), and named by the package
// flags in a fixed order, each flag cleared as it names an output.

#include <cstdint>
#include <string>

#include "common/text.h"
#include "extract/input_cursor.h"
#include "image/resource_kinds.h"

namespace tw {

struct PtcRecord {
    char tag[4];               // "CHR", "COL", "GRP", "SCR", "MEM", "PRG"
    const ResourceKind* kind;  // the kind of that tag
    uint64_t r_offset;         // the file offset of the "R" before the tag
    uint64_t body_start;       // the first body byte (for PRG: its 12-byte header)
    uint64_t body_length;      // for PRG: 12 + text_length
    std::string part_name;     // "_SPU0", "_COL", ...; empty for MEM and PRG
    uint32_t package_mask_1, package_mask_2, text_length;  // as read from a PRG record
};

class PtcWalk {
  public:
    enum Step { STEP_RECORD, STEP_END, STEP_BAD };

    // The walk starts right after the header of a file of `size` bytes.
    PtcWalk(InputCursor& in, uint64_t size) : in_(in), size_(size) {}

    // The next record, with the cursor at its body (for PRG at its text). STEP_END
    // when the records reach the end of the file; STEP_BAD when no "R" or no known
    // tag stands where the next record should (`bad_reason` says which).
    Step next(PtcRecord& rec);
    const Text& bad_reason() const { return *bad_reason_; }

  private:
    std::string name_for(const ResourceKind& kind);
    InputCursor& in_;
    uint64_t size_;
    uint64_t position_ = kPtcHeaderLength;
    uint32_t mask1_ = 0, mask2_ = 0;
    const Text* bad_reason_ = nullptr;
};

// The resource name of a PTC header: its 8 bytes up to the first NUL
// (bytes beyond the end of the file count as NUL).
std::string ptc_resource_name(InputCursor& in);

}  // namespace tw
