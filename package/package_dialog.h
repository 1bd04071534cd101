#pragma once
// What the package dialog does when its controls report commands, over the
// dialog-controls interface: the desktop program only wires its window to it.

#include "convert/convert_job.h"
#include "dialogs/dialog_controls.h"
#include "package/package_slots.h"

namespace tw {

// Fills the size boxes and clears every slot: the dialog's initial state.
void package_dialog_init(DialogControls& dialog);

enum DialogOutcome { DIALOG_CONTINUE, DIALOG_END };

// A command from control `id`. DIALOG_END when the dialog is to end.
DialogOutcome package_dialog_command(DialogControls& dialog, int id);

}  // namespace tw
