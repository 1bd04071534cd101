#include "dialogs/options_dialog.h"

#include <string>

#include "common/fixed_text.h"
#include "platform/interaction.h"
#include "platform/native_text.h"
#include "settings/settings.h"

namespace tw {
namespace {

void check_in_group(DialogControls& d, int first, int last, int id) {
    for (int i = first; i <= last; ++i) d.set_checked(i, i == id);
}

void enable_pair(DialogControls& d, int a, int b, bool on) {
    d.enable(a, on);
    d.enable(b, on);
}

int32_t state(DialogControls& d, int id) {
    return d.checked(id) ? 1 : 0;
}

void confirm(DialogControls& d) {
    Settings& s = g_settings;
    for (int id = OPT_SELECT_INPUT; id <= OPT_SELECT_USER; ++id)
        if (d.checked(id)) s.Select = id;
    s.Create = state(d, OPT_CREATE);
    s.TextOut = state(d, OPT_TEXT_OUT);
    s.DATA_Type = state(d, OPT_DATA_HEX);
    s.AutoTrim = d.checked(OPT_KEEP_WIDTH) ? 0 : 1;
    s.WideMode = state(d, OPT_WIDE_256);
    s.Make_Wide = state(d, OPT_MAKE_256);
    s.PRG_Limit = state(d, OPT_PRG_LIMIT);
    s.PRG_To_SCR = state(d, OPT_PRG_TO_SCR);
    s.PRG_To_MEM = state(d, OPT_PRG_TO_MEM);
    s.PRG_MultiByte = state(d, OPT_MULTIBYTE);
    s.PRG_ESCAPE = state(d, OPT_ESCAPE);
    if (d.checked(OPT_PAL_ASK))
        s.PAL_Fix_1bit = -1;
    else if (d.checked(OPT_PAL_KEEP))
        s.PAL_Fix_1bit = 0;
    else if (d.checked(OPT_PAL_FIX))
        s.PAL_Fix_1bit = 1;
    // A folder longer than the field holds is cut at the last whole byte that fits.
    std::string user = utf8_to_native(d.text(OPT_USER)).substr(0, sizeof s.User - 1);
    copy_text(s.User, sizeof s.User, user);
    save_settings();  // a failed save is not reported; the values are in force
}

}  // namespace

void options_dialog_init(DialogControls& d) {
    const Settings& s = g_settings;
    for (int id :
         {OPT_USER, OPT_CHOOSE_FOLDER, OPT_DATA_HEX, OPT_DATA_DECIMAL, OPT_WIDE_128, OPT_WIDE_256})
        d.enable(id, false);
    check_in_group(d, OPT_SELECT_INPUT, OPT_SELECT_USER, s.Select);
    d.set_checked(OPT_CREATE, s.Create != 0);
    d.set_text(OPT_USER, native_to_utf8(s.User));
    if (s.Select == OPT_SELECT_USER) enable_pair(d, OPT_USER, OPT_CHOOSE_FOLDER, true);
    d.set_checked(OPT_TEXT_OUT, s.TextOut != 0);
    if (s.TextOut != 0) enable_pair(d, OPT_DATA_HEX, OPT_DATA_DECIMAL, true);
    check_in_group(d, OPT_DATA_HEX, OPT_DATA_DECIMAL,
                   s.DATA_Type != 0 ? OPT_DATA_HEX : OPT_DATA_DECIMAL);
    d.set_checked(OPT_KEEP_WIDTH, s.AutoTrim == 0);
    if (s.AutoTrim == 0) enable_pair(d, OPT_WIDE_128, OPT_WIDE_256, true);
    check_in_group(d, OPT_WIDE_128, OPT_WIDE_256, s.WideMode != 0 ? OPT_WIDE_256 : OPT_WIDE_128);
    check_in_group(d, OPT_MAKE_128, OPT_MAKE_256, s.Make_Wide != 0 ? OPT_MAKE_256 : OPT_MAKE_128);
    d.set_checked(OPT_PRG_LIMIT, s.PRG_Limit != 0);
    d.set_checked(OPT_PRG_TO_SCR, s.PRG_To_SCR != 0);
    d.set_checked(OPT_PRG_TO_MEM, s.PRG_To_MEM != 0);
    d.set_checked(OPT_ESCAPE, s.PRG_ESCAPE != 0);
    d.set_checked(OPT_MULTIBYTE, s.PRG_MultiByte != 0);
    d.enable(OPT_ESCAPE, s.PRG_MultiByte == 0);
    check_in_group(d, OPT_PAL_KEEP, OPT_PAL_ASK,
                   s.PAL_Fix_1bit == 0   ? OPT_PAL_KEEP
                   : s.PAL_Fix_1bit == 1 ? OPT_PAL_FIX
                                         : OPT_PAL_ASK);
}

OptionsOutcome options_dialog_command(DialogControls& d, int id) {
    switch (id) {
        case OPT_SELECT_INPUT:
        case OPT_SELECT_TOOL:
        case OPT_SELECT_USER:
            check_in_group(d, OPT_SELECT_INPUT, OPT_SELECT_USER, id);
            enable_pair(d, OPT_USER, OPT_CHOOSE_FOLDER, id == OPT_SELECT_USER);
            break;
        case OPT_CHOOSE_FOLDER: {
            char folder[260] = "";
            if (interaction().choose_folder(folder, sizeof folder) == FOLDER_CHOSEN)
                d.set_text(OPT_USER, native_to_utf8(folder));
            break;
        }
        case OPT_TEXT_OUT:
            enable_pair(d, OPT_DATA_HEX, OPT_DATA_DECIMAL, d.checked(OPT_TEXT_OUT));
            break;
        case OPT_KEEP_WIDTH:
            enable_pair(d, OPT_WIDE_128, OPT_WIDE_256, d.checked(OPT_KEEP_WIDTH));
            break;
        case OPT_MULTIBYTE:
            d.enable(OPT_ESCAPE, !d.checked(OPT_MULTIBYTE));
            break;
        case OPT_WIDE_128:
        case OPT_WIDE_256:
            check_in_group(d, OPT_WIDE_128, OPT_WIDE_256, id);
            break;
        case OPT_MAKE_128:
        case OPT_MAKE_256:
            check_in_group(d, OPT_MAKE_128, OPT_MAKE_256, id);
            break;
        case OPT_PAL_KEEP:
        case OPT_PAL_FIX:
        case OPT_PAL_ASK:
            check_in_group(d, OPT_PAL_KEEP, OPT_PAL_ASK, id);
            break;
        case OPT_DATA_HEX:
        case OPT_DATA_DECIMAL:
            check_in_group(d, OPT_DATA_HEX, OPT_DATA_DECIMAL, id);
            break;
        case OPT_CONFIRM:
            confirm(d);
            return OPTIONS_END;
        case OPT_CANCEL:
            return OPTIONS_END;
        default:
            break;
    }
    return OPTIONS_CONTINUE;
}

}  // namespace tw
