#pragma once
// The slots of a package: what each holds, its controls in the package dialog
// (base identifier + 0 check box, + 1 path field, + 2 choose button, + 3 bank
// box, + 4 size box), its flag bit and its names.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "image/resource_kinds.h"

namespace tw {

enum SlotContent {
    SLOT_PRG,
    SLOT_MEM,
    SLOT_CHR_BG,      // CHR in 8 x 8 units (BG, font, BGD)
    SLOT_CHR_SPRITE,  // CHR, unit from the size box
    SLOT_CHR_ICON,    // CHR in 32 x 32 units
    SLOT_GRP,
    SLOT_COL,
    SLOT_SCR,
};

struct PackageSlot {
    const char* name;  // as the dialog labels it: "SPU0", "BGU2", "COL0" ...
    bool lower;        // a lower-screen slot
    SlotContent content;
    int base;              // dialog control base identifier
    int mask;              // 1 or 2: the flag word; 0 for the program
    int bit;               // the flag bit
    const char* cli_name;  // the name extraction gives the slot: "SPU0", "BGS1", "COL0_S" ...
};

// Every slot, in the order its record is stored in a package; the program first.
extern const PackageSlot kPackageSlots[];
extern const size_t kPackageSlotCount;

// The slots in the order of the failure list.
extern const PackageSlot* const kFailureOrder[];
extern const size_t kFailureOrderCount;

// The controls of a slot: its base identifier plus one of these. A slot's
// identifiers span kSlotControlSpan numbers.
enum SlotControl : int {
    SLOT_CHECK = 0,
    SLOT_PATH = 1,
    SLOT_CHOOSE = 2,
    SLOT_BANK = 3,
    SLOT_SIZE = 4,
};
inline constexpr int kSlotControlSpan = 8;
// Which of its slot's controls an identifier is.
inline int slot_control_role(int id) {
    return id % kSlotControlSpan;
}

// The slot of a control identifier (any of its five controls), or nullptr.
const PackageSlot* slot_of_control(int id);
// The slot by its command-line name (any case), or nullptr.
const PackageSlot* slot_by_cli_name(const char* name);

inline bool slot_has_bank_box(const PackageSlot& s) {
    return s.content == SLOT_CHR_BG || s.content == SLOT_CHR_SPRITE || s.content == SLOT_CHR_ICON ||
           s.content == SLOT_GRP;
}
inline bool slot_has_size_box(const PackageSlot& s) {
    return s.content == SLOT_CHR_SPRITE || s.content == SLOT_CHR_ICON;
}
inline bool slot_is_image(const PackageSlot& s) {
    return slot_has_bank_box(s) || s.content == SLOT_COL;
}

// The kind of the resources a slot holds.
const ResourceKind& slot_kind(const PackageSlot& slot);

// A flag bit of a package and the name, after the package name, that extraction
// gives the record it marks ("_SPU0", "_COL0_S" ...).
struct PackageFlag {
    int mask;  // 1 or 2
    int bit;
    std::string name;
};

// The flags that can mark a record of this kind, in the order a package's
// records of that kind take them; none for a program or a MEM$ string.
const std::vector<PackageFlag>& package_flags_for(const ResourceKind& kind);

// Control identifiers beside the slots.
enum : int {
    ID_CREATE = 1,
    ID_CANCEL = 2,
    ID_PACKAGE_NAME = 7951,
};

}  // namespace tw
