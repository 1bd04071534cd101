#include "package/package_slots.h"

#include <cstring>
#include <iterator>

#include "common/ascii_text.h"

namespace tw {

const PackageSlot kPackageSlots[] = {
    {"PRG", false, SLOT_PRG, 7936, 0, 0, "PRG"},
    {"SPU0", false, SLOT_CHR_SPRITE, 4352, 2, 0, "SPU0"},
    {"SPU1", false, SLOT_CHR_SPRITE, 4368, 2, 1, "SPU1"},
    {"SPU2", false, SLOT_CHR_SPRITE, 4384, 2, 2, "SPU2"},
    {"SPU3", false, SLOT_CHR_SPRITE, 4400, 2, 3, "SPU3"},
    {"SPU4", false, SLOT_CHR_SPRITE, 4416, 2, 4, "SPU4"},
    {"SPU5", false, SLOT_CHR_SPRITE, 4432, 2, 5, "SPU5"},
    {"SPU6", false, SLOT_CHR_SPRITE, 4448, 2, 6, "SPU6"},
    {"SPU7", false, SLOT_CHR_SPRITE, 4464, 2, 7, "SPU7"},
    {"BGU0", false, SLOT_CHR_BG, 4096, 2, 8, "BGU0"},
    {"BGU1", false, SLOT_CHR_BG, 4112, 2, 9, "BGU1"},
    {"BGU2", false, SLOT_CHR_BG, 4128, 2, 10, "BGU2"},
    {"BGU3", false, SLOT_CHR_BG, 4144, 2, 11, "BGU3"},
    {"BGF0", false, SLOT_CHR_BG, 8176, 2, 12, "BGF0"},
    {"COL0", false, SLOT_COL, 7168, 2, 13, "COL0"},
    {"COL1", false, SLOT_COL, 7184, 2, 14, "COL1"},
    {"COL2", false, SLOT_COL, 7200, 2, 15, "COL2"},
    {"SCU0", false, SLOT_SCR, 4256, 2, 16, "SCR0"},
    {"SCU1", false, SLOT_SCR, 4272, 2, 17, "SCR1"},
    {"GRP0", false, SLOT_GRP, 4608, 2, 18, "GRP0"},
    {"GRP1", false, SLOT_GRP, 4624, 2, 19, "GRP1"},
    {"GRP2", false, SLOT_GRP, 4640, 2, 20, "GRP2"},
    {"GRP3", false, SLOT_GRP, 4656, 2, 21, "GRP3"},
    {"MEM", false, SLOT_MEM, 7952, 2, 22, "MEM"},
    {"SPD0", true, SLOT_CHR_ICON, 4544, 2, 23, "SPD0"},
    {"SPD1", true, SLOT_CHR_ICON, 4560, 2, 24, "SPD1"},
    {"SPD2", true, SLOT_CHR_ICON, 4576, 2, 25, "SPD2"},
    {"SPD3", true, SLOT_CHR_ICON, 4592, 2, 26, "SPD3"},
    {"BGU0", true, SLOT_CHR_BG, 4160, 2, 27, "BGS0"},
    {"BGU1", true, SLOT_CHR_BG, 4176, 2, 28, "BGS1"},
    {"BGU2", true, SLOT_CHR_BG, 4192, 2, 29, "BGS2"},
    {"BGU3", true, SLOT_CHR_BG, 4208, 2, 30, "BGS3"},
    {"BGF0", true, SLOT_CHR_BG, 8184, 2, 31, "BGF1"},
    {"COL0", true, SLOT_COL, 7216, 1, 0, "COL0_S"},
    {"COL1", true, SLOT_COL, 7232, 1, 1, "COL1_S"},
    {"COL2", true, SLOT_COL, 7248, 1, 2, "COL2_S"},
    {"SCU0", true, SLOT_SCR, 4288, 1, 3, "SCR2"},
    {"SCU1", true, SLOT_SCR, 4304, 1, 4, "SCR3"},
    {"SPS0", true, SLOT_CHR_SPRITE, 4480, 1, 9, "SPS0"},
    {"SPS1", true, SLOT_CHR_SPRITE, 4496, 1, 10, "SPS1"},
    {"BGD0", true, SLOT_CHR_BG, 4224, 1, 11, "BGD0"},
    {"BGD1", true, SLOT_CHR_BG, 4240, 1, 12, "BGD1"},
};
const size_t kPackageSlotCount = std::size(kPackageSlots);

namespace {
const PackageSlot* find(const char* name, bool lower) {
    for (const auto& s : kPackageSlots)
        if (s.lower == lower && std::strcmp(s.name, name) == 0) return &s;
    return nullptr;
}
}  // namespace

const PackageSlot* const kFailureOrder[] = {
    find("PRG", false),  find("BGF0", false), find("BGF0", true),  find("BGU0", false),
    find("BGU1", false), find("BGU2", false), find("BGU3", false), find("BGU0", true),
    find("BGU1", true),  find("BGU2", true),  find("BGU3", true),  find("BGD0", true),
    find("BGD1", true),  find("SCU0", false), find("SCU1", false), find("SCU0", true),
    find("SCU1", true),  find("COL0", false), find("COL1", false), find("COL2", false),
    find("COL0", true),  find("COL1", true),  find("COL2", true),  find("GRP0", false),
    find("GRP1", false), find("GRP2", false), find("GRP3", false), find("MEM", false),
    find("SPU0", false), find("SPU1", false), find("SPU2", false), find("SPU3", false),
    find("SPU4", false), find("SPU5", false), find("SPU6", false), find("SPU7", false),
    find("SPS0", true),  find("SPS1", true),  find("SPD0", true),  find("SPD1", true),
    find("SPD2", true),  find("SPD3", true),
};
const size_t kFailureOrderCount = std::size(kFailureOrder);

const ResourceKind& slot_kind(const PackageSlot& slot) {
    switch (slot.content) {
        case SLOT_PRG:
            return kPrgKind;
        case SLOT_MEM:
            return kMemKind;
        case SLOT_GRP:
            return kGrpKind;
        case SLOT_COL:
            return kColKind;
        case SLOT_SCR:
            return kScrKind;
        default:
            return kChrKind;
    }
}

const std::vector<PackageFlag>& package_flags_for(const ResourceKind& kind) {
    // Flag bits of no slot that still name a character set, taken before SPS0.
    static const PackageFlag kUnusedChrFlags[] = {{1, 5, "_SPS_NO_USE0"},
                                                  {1, 6, "_SPS_NO_USE1"},
                                                  {1, 7, "_BGD_NO_USE0"},
                                                  {1, 8, "_BGD_NO_USE1"}};
    static const auto kFlags = [] {
        std::vector<std::pair<const ResourceKind*, std::vector<PackageFlag>>> all;
        for (const ResourceKind* k : {&kChrKind, &kColKind, &kScrKind, &kGrpKind}) {
            std::vector<PackageFlag> flags;
            for (const PackageSlot& s : kPackageSlots) {
                if (&slot_kind(s) != k) continue;
                if (std::strcmp(s.cli_name, "SPS0") == 0)
                    flags.insert(flags.end(), std::begin(kUnusedChrFlags),
                                 std::end(kUnusedChrFlags));
                flags.push_back({s.mask, s.bit, std::string("_") + s.cli_name});
            }
            all.emplace_back(k, std::move(flags));
        }
        return all;
    }();
    static const std::vector<PackageFlag> kNone;
    for (const auto& [k, flags] : kFlags)
        if (k == &kind) return flags;
    return kNone;
}

const PackageSlot* slot_of_control(int id) {
    for (const auto& s : kPackageSlots)
        if (id >= s.base && id < s.base + kSlotControlSpan) return &s;
    return nullptr;
}

const PackageSlot* slot_by_cli_name(const char* name) {
    for (const auto& s : kPackageSlots)
        if (same_ci(name, s.cli_name)) return &s;
    return nullptr;
}

}  // namespace tw
