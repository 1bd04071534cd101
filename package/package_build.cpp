#include "package/package_build.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "common/failure.h"
#include "common/fixed_text.h"
#include "common/little_endian.h"
#include "convert/resource_types.h"
#include "dialogs/file_dialog.h"
#include "image/chr_convert.h"
#include "image/ptc_file.h"
#include "picture/bmp_image.h"
#include "picture/png_image.h"
#include "platform/interaction.h"
#include "platform/native_text.h"
#include "platform/paths.h"
#include "resources/texts.h"
#include "settings/settings.h"
#include "text/mem_text.h"
#include "text/prg_text.h"
#include "text/scr_screen.h"

namespace tw {
namespace {

// A job of the slot's path field, other fields empty; a screen slot also gets
// the lower-cased extension so that ".txt" reads as BGPUT text.
bool slot_job(DialogControls& dialog, const PackageSlot& slot, ConvertJob& job) {
    job = ConvertJob{};
    std::string path = utf8_to_native(dialog.text(slot.base + SLOT_PATH));
    if (!copy_text(job.path, sizeof job.path, path)) {
        set_failure(kReasonPathTooLong, path.c_str());
        return false;
    }
    if (slot.content == SLOT_SCR) {
        PathParts parts;
        if (split_path(job.path, parts)) {
            std::memcpy(job.ext, parts.ext, sizeof job.ext);
            for (char* c = job.ext; *c; ++c)
                if (*c >= 'A' && *c <= 'Z') *c = static_cast<char>(*c + 32);
        }
    }
    return true;
}

bool g_ready_resources = false;

// With ready resources, a slot naming a PTC file takes its resource as it stands.
bool build_ready_slot(DialogControls& dialog, const PackageSlot& slot, ResourceBuffer& body) {
    if (!g_ready_resources || slot.content == SLOT_PRG) return false;
    ConvertJob job;
    if (!slot_job(dialog, slot, job) || !is_ptc_file(job.path)) return false;
    body = read_ptc_resource(job.path, slot_kind(slot));
    return true;
}

int bank_of(DialogControls& dialog, const PackageSlot& slot) {
    return dialog.combo_selection(slot.base + SLOT_BANK);
}

std::string failure_list(const std::vector<bool>& failed) {
    std::string text = kPackageFailures.get();
    for (size_t i = 0; i < kFailureOrderCount; ++i) {
        const PackageSlot& s = *kFailureOrder[i];
        if (!failed[&s - kPackageSlots]) continue;
        text += "\n ";
        text += s.name;
        const bool marked =
            s.lower &&
            (std::strncmp(s.name, "BGF", 3) == 0 || std::strncmp(s.name, "BGU", 3) == 0 ||
             std::strncmp(s.name, "SCU", 3) == 0 || std::strncmp(s.name, "COL", 3) == 0);
        if (marked) text += kLowerScreenMark;
    }
    return text;
}

}  // namespace

void set_ready_resources(bool accepted) {
    g_ready_resources = accepted;
}
bool ready_resources() {
    return g_ready_resources;
}

BmpImage read_slot_picture(const ConvertJob& job, int32_t unit_width, int32_t unit_height,
                           uint8_t pixel_mask) {
    if (g_ready_resources) return read_picture(job.path, unit_width, unit_height, pixel_mask);
    return read_bmp(job, unit_width, unit_height, pixel_mask);
}

namespace {

void sprite_unit_of(const std::string& entry, int32_t* width, int32_t* height) {
    const ResourceType* type = resource_type_by_name(entry);
    const bool sprite = type != nullptr && is_sprite_type(*type);
    *width = sprite ? type->unit_width : 16;
    *height = sprite ? type->unit_height : 16;
}

}  // namespace

bool append_resource(ResourceBuffer& package, const ResourceBuffer& resource) {
    // A record is the resource without its magic.
    if (resource.length() < kResourceMagicLength) return false;
    uint64_t length = uint64_t{package.length()} + resource.length() - kResourceMagicLength;
    if (length > 0xFFFFFFFFull) return false;
    ResourceBuffer grown(reinterpret_cast<const char*>(package.data()),
                         length - ResourceBuffer::kPrefixLength);
    if (grown.empty()) return false;
    std::memcpy(grown.data(), package.data(), package.length());
    std::memcpy(grown.data() + package.length(), resource.data() + kResourceMagicLength,
                resource.length() - kResourceMagicLength);
    package = std::move(grown);
    return true;
}

namespace {

ResourceBuffer build_chr_slot(DialogControls& dialog, const PackageSlot& slot, int32_t unit_width,
                              int32_t unit_height) {
    ConvertJob job;
    if (!slot_job(dialog, slot, job)) return {};
    BmpImage image = read_slot_picture(job, unit_width, unit_height, 15);
    if (image.pixel_count == 0) return {};
    int32_t region = chr_region_width(image.width);
    if (region == 0 || static_cast<int32_t>(kChrPartPixels) / region < unit_height) return {};
    int bank = bank_of(dialog, slot);
    if (bank < 0) return {};
    return gather_tiles(kChrPartPixels, static_cast<uint32_t>(bank), unit_width, unit_height,
                        region, image);
}

ResourceBuffer build_sprite_slot(DialogControls& dialog, const PackageSlot& slot) {
    int32_t w = 32, h = 32;
    if (slot.content == SLOT_CHR_SPRITE) {
        int sel = dialog.combo_selection(slot.base + SLOT_SIZE);
        sprite_unit_of(sel < 0 ? "" : dialog.combo_entry(slot.base + SLOT_SIZE, sel), &w, &h);
    }
    return build_chr_slot(dialog, slot, w, h);
}

ResourceBuffer build_grp_slot(DialogControls& dialog, const PackageSlot& slot) {
    ConvertJob job;
    if (!slot_job(dialog, slot, job)) return {};
    BmpImage image = read_slot_picture(job, 1, 1, 255);
    if (image.pixel_count == 0) return {};
    int bank = bank_of(dialog, slot);
    if (bank < 0) return {};
    return gather_tiles(kGrpPartPixels, static_cast<uint32_t>(bank), 64, 64, kGrpPageWidth, image);
}

ResourceBuffer build_col_slot(DialogControls& dialog, const PackageSlot& slot) {
    ConvertJob job;
    if (!slot_job(dialog, slot, job)) return {};
    BmpImage image = read_slot_picture(job, 1, 1, 15);
    if (image.pixel_count == 0) return {};
    ResourceBuffer col(kColKind);
    if (!col.empty()) std::memcpy(col.data(), image.col, kColBufferLength);
    return col;
}

ResourceBuffer build_text_slot(DialogControls& dialog, const PackageSlot& slot) {
    ConvertJob job;
    if (!slot_job(dialog, slot, job)) return {};
    switch (slot.content) {
        case SLOT_PRG:
            return build_prg_body(job);
        case SLOT_MEM:
            return build_mem_body(job);
        case SLOT_SCR:
            return build_scr_body(job);
        default:
            return {};
    }
}

ResourceBuffer build_slot(DialogControls& dialog, const PackageSlot& slot) {
    switch (slot.content) {
        case SLOT_CHR_SPRITE:
        case SLOT_CHR_ICON:
            return build_sprite_slot(dialog, slot);
        case SLOT_CHR_BG:
            return build_chr_slot(dialog, slot, 8, 8);
        case SLOT_GRP:
            return build_grp_slot(dialog, slot);
        case SLOT_COL:
            return build_col_slot(dialog, slot);
        default:
            return build_text_slot(dialog, slot);
    }
}

}  // namespace

bool build_package(DialogControls& dialog) {
    std::vector<bool> failed(kPackageSlotCount, false);
    bool any_failed = false;
    uint32_t masks[3] = {0, 0, 0};
    int count = 0;

    ResourceBuffer package;
    const PackageSlot& prg = kPackageSlots[0];
    if (dialog.checked(prg.base)) {
        ++count;
        package = build_text_slot(dialog, prg);
        if (package.empty()) failed[0] = any_failed = true;
    }
    if (package.empty()) package = ResourceBuffer(kPrgKind, kPrgHeaderLength);
    if (package.empty()) return false;

    for (size_t i = 1; i < kPackageSlotCount; ++i) {
        const PackageSlot& slot = kPackageSlots[i];
        if (!dialog.checked(slot.base)) continue;
        masks[slot.mask] |= uint32_t{1} << slot.bit;
        ++count;
        ResourceBuffer body;
        if (!build_ready_slot(dialog, slot, body)) body = build_slot(dialog, slot);
        if (body.empty() || !append_resource(package, body)) failed[i] = any_failed = true;
    }
    if (any_failed) {
        interaction().show_message(failure_list(failed).c_str(), kErrorCaption);
        return false;
    }
    put_le32(package.body(), masks[1]);
    put_le32(package.body() + 4, masks[2]);
    if (count == 0) return false;

    FileDialogRequest request;
    request.title = kPackageSaveTitle;
    request.filter = std::string(kPackageFilter) + '\0' + "*.ptc" + '\0';
    request.overwrite_prompt = 1;
    request.default_ext = ".ptc";
    if (!choose_file(request)) return false;

    ConvertJob job{};
    PathParts parts;
    bool ok = split_path(request.file, parts) &&
              format_text(job.out_path, sizeof job.out_path, "%s%s%s.ptc", parts.drive, parts.dir,
                          parts.name);
    std::string name = dialog.text(ID_PACKAGE_NAME).substr(0, 8);
    copy_text(job.res_name, sizeof job.res_name, name.empty() ? "PACKAGE" : name);
    ok = ok && write_ptc(job, package, kPrgKind.type_code);
    if (ok)
        interaction().show_message(kPackageWritten, kSummaryCaption);
    else
        interaction().show_message(kPackageWriteFailed, kErrorCaption);
    return ok;
}

}  // namespace tw
