#include "extract/ptc_walk.h"

#include <cstring>
#include <iterator>

#include "image/ptc_container.h"

namespace tw {
namespace {

struct Flag {
    int mask;  // 1 or 2
    int bit;
    const char* name;
};

constexpr Flag kChrFlags[] = {
    {2, 0, "_SPU0"},  {2, 1, "_SPU1"},  {2, 2, "_SPU2"},  {2, 3, "_SPU3"},  {2, 4, "_SPU4"},
    {2, 5, "_SPU5"},  {2, 6, "_SPU6"},  {2, 7, "_SPU7"},  {2, 8, "_BGU0"},  {2, 9, "_BGU1"},
    {2, 10, "_BGU2"}, {2, 11, "_BGU3"}, {2, 12, "_BGF0"}, {2, 23, "_SPD0"}, {2, 24, "_SPD1"},
    {2, 25, "_SPD2"}, {2, 26, "_SPD3"}, {2, 27, "_BGS0"}, {2, 28, "_BGS1"}, {2, 29, "_BGS2"},
    {2, 30, "_BGS3"}, {2, 31, "_BGF1"}, {1, 5, "_SPS_NO_USE0"}, {1, 6, "_SPS_NO_USE1"},
    {1, 7, "_BGD_NO_USE0"}, {1, 8, "_BGD_NO_USE1"}, {1, 9, "_SPS0"}, {1, 10, "_SPS1"},
    {1, 11, "_BGD0"}, {1, 12, "_BGD1"},
};
constexpr Flag kColFlags[] = {{2, 13, "_COL0"}, {2, 14, "_COL1"}, {2, 15, "_COL2"},
                              {1, 0, "_COL0_S"}, {1, 1, "_COL1_S"}, {1, 2, "_COL2_S"}};
constexpr Flag kScrFlags[] = {{2, 16, "_SCR0"}, {2, 17, "_SCR1"}, {1, 3, "_SCR2"}, {1, 4, "_SCR3"}};
constexpr Flag kGrpFlags[] = {{2, 18, "_GRP0"}, {2, 19, "_GRP1"}, {2, 20, "_GRP2"}, {2, 21, "_GRP3"}};

uint32_t read_u32(InputCursor& in) {
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i) {
        int c = in.byte();
        v |= static_cast<uint32_t>(c < 0 ? 0 : c) << (8 * i);  // missing bytes count as 0
    }
    return v;
}

}  // namespace

std::string ptc_resource_name(InputCursor& in) {
    in.seek(12);
    std::string name;
    for (int i = 0; i < 8; ++i) {
        int c = in.byte();
        if (c <= 0) break;
        name.push_back(static_cast<char>(c));
    }
    return name;
}

std::string PtcWalk::name_for(const char* tag) {
    auto pick = [&](const Flag* flags, size_t n, const char* plain) -> std::string {
        for (size_t i = 0; i < n; ++i) {
            uint32_t& mask = flags[i].mask == 1 ? mask1_ : mask2_;
            uint32_t bit = uint32_t{1} << flags[i].bit;
            if (mask & bit) {
                mask &= ~bit;
                return flags[i].name;
            }
        }
        return plain;
    };
    if (std::strcmp(tag, "CHR") == 0) return pick(kChrFlags, std::size(kChrFlags), "_CHR");
    if (std::strcmp(tag, "COL") == 0) return pick(kColFlags, std::size(kColFlags), "_COL");
    if (std::strcmp(tag, "SCR") == 0) return pick(kScrFlags, std::size(kScrFlags), "_SCR");
    if (std::strcmp(tag, "GRP") == 0) return pick(kGrpFlags, std::size(kGrpFlags), "_GRP");
    return "";
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
            bad_reason_ = "レコードの始まりの R が見つかりません";
            return STEP_BAD;
        }
        if (c < 0) in_.seek(scan);
    }
    rec = PtcRecord{};
    if (!in_.read(rec.tag, 3)) {
        bad_reason_ = "タグが途中で切れています";
        return STEP_BAD;
    }
    rec.r_offset = scan;
    rec.body_start = scan + 4;
    if (std::strcmp(rec.tag, "PRG") == 0) {
        mask1_ = read_u32(in_);
        mask2_ = read_u32(in_);
        uint32_t length = read_u32(in_);
        rec.package_mask_1 = mask1_;
        rec.package_mask_2 = mask2_;
        rec.text_length = length;
        rec.body_length = 12 + uint64_t{length};
        position_ = rec.body_start + rec.body_length;
        position_ += (4 - position_ % 4) % 4;  // padding to the next record
        in_.seek(rec.body_start + 12);
        return STEP_RECORD;
    }
    if (const uint32_t length = resource_body_length(rec.tag); length != 0) {
        rec.body_length = length;
        rec.part_name = name_for(rec.tag);
        rec.package_mask_1 = mask1_;
        rec.package_mask_2 = mask2_;
        position_ = rec.body_start + rec.body_length;
        return STEP_RECORD;
    }
    bad_reason_ = "不明なタグです";
    return STEP_BAD;
}

}  // namespace tw
