#pragma once
// What the options dialog does, over the dialog-controls interface: the
// desktop program only wires its window to it.

#include "app/dialog_controls.h"

namespace tw {

enum : int {
    OPT_SELECT_INPUT = 768,
    OPT_SELECT_TOOL = 769,
    OPT_SELECT_USER = 770,
    OPT_USER = 771,
    OPT_CREATE = 772,
    OPT_CHOOSE_FOLDER = 773,
    OPT_TEXT_OUT = 1280,
    OPT_DATA_HEX = 1281,
    OPT_DATA_DECIMAL = 1282,
    OPT_PRG_LIMIT = 1536,
    OPT_PRG_TO_SCR = 267,
    OPT_PRG_TO_MEM = 270,
    OPT_KEEP_WIDTH = 1024,
    OPT_WIDE_128 = 1025,
    OPT_WIDE_256 = 1026,
    OPT_PAL_KEEP = 1037,
    OPT_PAL_FIX = 1038,
    OPT_PAL_ASK = 1039,
    OPT_MULTIBYTE = 1537,
    OPT_ESCAPE = 1548,
    OPT_MAKE_128 = 1027,
    OPT_MAKE_256 = 1028,
    OPT_CONFIRM = 1,
    OPT_CANCEL = 2,
};

// Sets the controls from the settings in force. Controls the function does not
// enable start disabled: 771, 773, 1281, 1282, 1025, 1026.
void options_dialog_init(DialogControls& dialog);

enum OptionsOutcome { OPTIONS_CONTINUE, OPTIONS_END };

// A click on control `id`. "設定" assigns every setting and saves them; it and
// "キャンセル" end the dialog.
OptionsOutcome options_dialog_command(DialogControls& dialog, int id);

}  // namespace tw
