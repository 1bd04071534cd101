#pragma once
// Package assembly: a program followed by the resources of the checked slots,
// with two flag words that say which slots are filled.

#include <cstdint>

#include "dialogs/dialog_controls.h"
#include "image/ptc_container.h"
#include "package/package_slots.h"
#include "picture/bmp_image.h"

namespace tw {

// Ready resources: the command line's package command also takes, in a slot,
// a single-resource PTC file of the slot's kind (its type string and body
// become the record as they stand) and an indexed PNG image in place of a BMP.
// The desktop program takes BMP images and texts only. Off at start.
void set_ready_resources(bool accepted);
bool ready_resources();

// The image of a slot: a BMP, or with ready resources a BMP or an indexed PNG.
BmpImage read_slot_picture(const ConvertJob& job, int32_t unit_width, int32_t unit_height,
                           uint8_t pixel_mask);

// Reads the package dialog, builds every checked slot, asks for the output file
// and writes the package. True only when a package file was written. Shows the
// failure list, or the result, through the interaction service.
bool build_package(DialogControls& dialog);

// package followed by resource from its offset 8 on. False (package unchanged)
// for a resource of fewer than 8 bytes, or when the memory cannot be had.
bool append_resource(ResourceBuffer& package, const ResourceBuffer& resource);

}  // namespace tw
