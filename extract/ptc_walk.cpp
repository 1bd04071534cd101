#include "extract/ptc_walk.h"

#include <cstring>
#include <iterator>

#include "common/little_endian.h"
#include "package/package_slots.h"
#include "resources/texts.h"

namespace tw {
namespace {

uint32_t read_u32(InputCursor& in) {
    uint8_t bytes[4];
    for (uint8_t& b : bytes) {
        const int c = in.byte();
        b = static_cast<uint8_t>(c < 0 ? 0 : c);  // missing bytes count as 0
    }
    return get_le32(bytes);
}

}  // namespace

std::string ptc_resource_name(InputCursor& in) {
    in.seek(kPtcNameOffset);
    std::string name;
    for (int i = 0; i < 8; ++i) {
        int c = in.byte();
        if (c <= 0) break;
        name.push_back(static_cast<char>(c));
    }
    return name;
}

std::string PtcWalk::name_for(const ResourceKind& kind) {
    const std::vector<PackageFlag>& flags = package_flags_for(kind);
    if (flags.empty()) return "";  // a MEM$ string goes by the package's name alone
    for (const PackageFlag& flag : flags) {
        uint32_t& mask = flag.mask == 1 ? mask1_ : mask2_;
        const uint32_t bit = uint32_t{1} << flag.bit;
        if (mask & bit) {
            mask &= ~bit;
            return flag.name;
        }
    }
    return std::string("_") + kind.tag();
}

PtcWalk::Step PtcWalk::next(PtcRecord& rec) {
    if (position_ >= size_) return STEP_END;
    // Skip the 8 bytes of the type string's start, then find the "R" of the tag.
    uint64_t scan = position_ + 8;
    in_.seek(scan);
    for (;;) {
        int c = in_.byte();
        if (c == 'R') break;
        if (++scan >= size_) {
            bad_reason_ = &kWalkNoRecord;
            return STEP_BAD;
        }
        if (c < 0) in_.seek(scan);
    }
    rec = PtcRecord{};
    if (!in_.read(rec.tag, 3)) {
        bad_reason_ = &kWalkTagCut;
        return STEP_BAD;
    }
    rec.r_offset = scan;
    rec.body_start = scan + 4;
    rec.kind = resource_kind_by_tag(rec.tag);
    if (rec.kind == nullptr) {
        bad_reason_ = &kWalkUnknownTag;
        return STEP_BAD;
    }
    if (rec.kind == &kPrgKind) {
        mask1_ = read_u32(in_);
        mask2_ = read_u32(in_);
        uint32_t length = read_u32(in_);
        rec.package_mask_1 = mask1_;
        rec.package_mask_2 = mask2_;
        rec.text_length = length;
        rec.body_length = kPrgHeaderLength + uint64_t{length};
        position_ = rec.body_start + rec.body_length;
        position_ += (4 - position_ % 4) % 4;  // padding to the next record
        in_.seek(rec.body_start + kPrgHeaderLength);
        return STEP_RECORD;
    }
    rec.body_length = rec.kind->body_length;
    rec.part_name = name_for(*rec.kind);
    rec.package_mask_1 = mask1_;
    rec.package_mask_2 = mask2_;
    position_ = rec.body_start + rec.body_length;
    return STEP_RECORD;
}

}  // namespace tw
