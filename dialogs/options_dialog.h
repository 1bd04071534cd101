#pragma once
// What the options dialog does, over the dialog-controls interface: the
// desktop program only wires its window to it.

#include "dialogs/dialog_controls.h"
#include "resources/resource.h"

namespace tw {

// Sets the controls from the settings in force. Controls the function does not
// enable start disabled: 771, 773, 1281, 1282, 1025, 1026.
void options_dialog_init(DialogControls& dialog);

enum OptionsOutcome { OPTIONS_CONTINUE, OPTIONS_END };

// A click on control `id`. "設定" assigns every setting and saves them; it and
// "キャンセル" end the dialog.
OptionsOutcome options_dialog_command(DialogControls& dialog, int id);

}  // namespace tw
