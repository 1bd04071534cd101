#pragma once
// What the package dialog does when its controls report commands, over the
// dialog-controls interface: the desktop program only wires its window to it.

#include "app/dialog_controls.h"
#include "convert/convert_job.h"
#include "package/package_slots.h"

namespace tw {

// Fills the size boxes and clears every slot: the dialog's initial state.
void package_dialog_init(DialogControls& dialog);

enum DialogOutcome { DIALOG_CONTINUE, DIALOG_END };

// A command from control `id`. DIALOG_END when the dialog is to end.
DialogOutcome package_dialog_command(DialogControls& dialog, int id);

// Keeps the name field to 8 characters of A-Z, 0-9 and "_", lower case raised,
// cut at the first other character.
void normalize_package_name(DialogControls& dialog);

// Checks the image in the slot's path field against the slot and fills its bank
// box with one "%d枚目" entry a part. Screen slots always pass.
bool check_slot_image(const PackageSlot& slot, DialogControls& dialog);

// Lets the user choose the slot's file; on confirm fills, enables and checks the
// slot and returns the file's job, else a job with an empty extension.
ConvertJob choose_slot_file(DialogControls& dialog, const PackageSlot& slot);

void enable_slot_controls(DialogControls& dialog, const PackageSlot& slot, bool enable, int controls);
void enable_package_controls(DialogControls& dialog, bool enable);

}  // namespace tw
