#include "package/package_dialog.h"

#include <cstdio>
#include <string>

#include "common/failure.h"
#include "common/fixed_text.h"
#include "convert/resource_types.h"
#include "dialogs/file_dialog.h"
#include "image/chr_convert.h"
#include "package/package_build.h"
#include "picture/bmp_image.h"
#include "platform/interaction.h"
#include "platform/native_text.h"
#include "resources/texts.h"
#include "settings/settings.h"

namespace tw {
namespace {

int controls_of(const PackageSlot& slot) {
    if (slot_has_size_box(slot)) return 5;
    if (slot_has_bank_box(slot)) return 4;
    return 3;
}

void clear_slot(DialogControls& dialog, const PackageSlot& slot) {
    dialog.set_checked(slot.base, false);
    dialog.enable(slot.base + SLOT_PATH, false);
    dialog.set_text(slot.base + SLOT_PATH, "");
}

void add_bank_entries(DialogControls& dialog, const PackageSlot& slot, uint32_t parts) {
    dialog.combo_clear(slot.base + SLOT_BANK);
    char entry[32];
    for (uint32_t i = 1; i <= parts; ++i) {
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
        std::snprintf(entry, sizeof entry, kBankEntry, static_cast<int>(i));
#pragma GCC diagnostic pop
        dialog.combo_add(slot.base + SLOT_BANK, entry);
    }
    dialog.combo_select(slot.base + SLOT_BANK, 0);
}

// A ready resource is one bank.
void offer_single_bank(DialogControls& dialog, const PackageSlot& slot) {
    if (slot_has_bank_box(slot)) add_bank_entries(dialog, slot, 1);
}

}  // namespace

void package_dialog_init(DialogControls& dialog) {
    for (size_t i = 0; i < kPackageSlotCount; ++i) {
        const PackageSlot& slot = kPackageSlots[i];
        clear_slot(dialog, slot);
        if (slot_has_bank_box(slot)) dialog.combo_clear(slot.base + SLOT_BANK);
        if (slot.content == SLOT_CHR_SPRITE) {
            dialog.combo_clear(slot.base + SLOT_SIZE);
            for (const ResourceType& t : kResourceTypes)
                if (is_sprite_type(t)) dialog.combo_add(slot.base + SLOT_SIZE, t.name);
            dialog.combo_select(slot.base + SLOT_SIZE, 0);
        } else if (slot.content == SLOT_CHR_ICON) {
            dialog.combo_clear(slot.base + SLOT_SIZE);
            dialog.combo_add(slot.base + SLOT_SIZE, "32x32");
            dialog.combo_select(slot.base + SLOT_SIZE, 0);
        }
    }
    dialog.set_text(ID_PACKAGE_NAME, "");
}

namespace {

void normalize_package_name(DialogControls& dialog) {
    std::string text = dialog.text(ID_PACKAGE_NAME).substr(0, 15);
    std::string out;
    for (size_t i = 0; i < text.size() && i < 8; ++i) {
        char c = text[i];
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
        if (!((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_')) break;
        out.push_back(c);
    }
    // Written back only when it changed, so an edit field is not disturbed needlessly.
    if (out != dialog.text(ID_PACKAGE_NAME)) dialog.set_text(ID_PACKAGE_NAME, out);
}

bool check_slot_image(const PackageSlot& slot, DialogControls& dialog) {
    if (slot.content == SLOT_SCR) return true;
    ConvertJob job{};
    if (!copy_text(job.path, sizeof job.path, utf8_to_native(dialog.text(slot.base + SLOT_PATH))))
        return false;
    const bool grp = slot.content == SLOT_GRP;
    int32_t unit = 8;
    if (slot.content == SLOT_CHR_SPRITE) unit = 16;
    if (slot.content == SLOT_CHR_ICON) unit = 32;
    if (grp) unit = 1;
    BmpImage image = read_slot_picture(job, unit, unit, grp ? 255 : 15);
    if (image.pixel_count == 0) return false;
    uint32_t part_pixels = kGrpPartPixels, region = kGrpPageWidth;
    if (!grp) {
        const int32_t width = chr_region_width(image.width);
        if (width == 0 || static_cast<int32_t>(kChrPartPixels) / width < unit) return false;
        part_pixels = kChrPartPixels;
        region = static_cast<uint32_t>(width);
    }
    const uint32_t parts = image_part_count(image, part_pixels, region);
    if (parts == 0) return false;
    if (slot_has_bank_box(slot)) add_bank_entries(dialog, slot, parts);
    return true;
}

ConvertJob choose_slot_file(DialogControls& dialog, const PackageSlot& slot) {
    ConvertJob job{};
    copy_text(job.path, sizeof job.path, utf8_to_native(dialog.text(slot.base + SLOT_PATH)));
    job.kind = -1;
    FileDialogRequest request;
    if (slot_is_image(slot)) {
        request.title = kChooseImageTitle;
        request.filter = std::string(kImageFilter) + '\0' + "*.bmp" + '\0';
        request.default_ext = ".bmp";
    } else if (slot.content == SLOT_SCR) {
        request.title = kChooseFileTitle;
        request.filter =
            std::string(kTextFilter) + '\0' + "*.txt" + '\0' + kScrFilter + '\0' + "*.rscr" + '\0';
        request.default_ext = ".txt";
    } else {
        request.title = kChooseTextTitle;
        request.filter = std::string(kTextFilter) + '\0' + "*.txt" + '\0';
        request.default_ext = ".txt";
    }
    if (!choose_file(request)) return job;
    dialog.set_text(slot.base + SLOT_PATH, native_to_utf8(request.file));
    dialog.enable(slot.base + SLOT_PATH, true);
    dialog.set_checked(slot.base, true);
    return make_convert_job(request.file, false);
}

void enable_slot_controls(DialogControls& dialog, const PackageSlot& slot, bool enable,
                          int controls) {
    for (int k = 0; k < controls; ++k) {
        if (k == SLOT_PATH)
            dialog.enable(slot.base + SLOT_PATH, enable && dialog.checked(slot.base));
        else
            dialog.enable(slot.base + k, enable);
    }
}

void enable_package_controls(DialogControls& dialog, bool enable) {
    for (size_t i = 0; i < kPackageSlotCount; ++i)
        enable_slot_controls(dialog, kPackageSlots[i], enable, controls_of(kPackageSlots[i]));
    dialog.enable(ID_PACKAGE_NAME, enable);
    dialog.enable(ID_CREATE, enable);
    dialog.enable(ID_CANCEL, enable);
}

}  // namespace

DialogOutcome package_dialog_command(DialogControls& dialog, int id) {
    if (id == ID_CANCEL) return DIALOG_END;
    if (id == ID_PACKAGE_NAME) return DIALOG_CONTINUE;
    normalize_package_name(dialog);
    if (id == ID_CREATE) {
        enable_package_controls(dialog, false);
        const bool written = guard_memory([&] { return build_package(dialog); });
        enable_package_controls(dialog, true);
        return written ? DIALOG_END : DIALOG_CONTINUE;
    }
    const PackageSlot* slot = slot_of_control(id);
    if (slot == nullptr) return DIALOG_CONTINUE;
    const int role = slot_control_role(id);
    if (role == SLOT_CHECK) {
        dialog.enable(slot->base + SLOT_PATH, dialog.checked(slot->base));
    } else if (role == SLOT_CHOOSE) {
        ConvertJob job = choose_slot_file(dialog, *slot);
        if (ready_resources() && job_has_ext(job, ".ptc")) {
            offer_single_bank(dialog, *slot);
        } else if ((job_has_ext(job, ".bmp") || (ready_resources() && job_has_ext(job, ".png"))) &&
                   !guard_memory([&] { return check_slot_image(*slot, dialog); })) {
            interaction().show_message(kSlotImageRefused, kErrorCaption);
            clear_slot(dialog, *slot);
        }
    }
    return DIALOG_CONTINUE;
}

}  // namespace tw
