#pragma once
// The user's conversion options and the run-time values beside them.
//
// One process-wide record, loaded once at start-up from Brickyard.ini in the
// working directory and changed only by the options dialog, which then saves
// every key. The run-time values are never stored.

#include <cstdint>
#include <string_view>

#include "resources/resource.h"

namespace tw {

struct Settings {
    int32_t Select;  // 768 input's folder, 770 User, anything else the tool folder
    int32_t Create;  // 1 = write into PTC/<name>/ below the output folder
    char User[260];
    int32_t TextOut;
    int32_t DATA_Type;
    int32_t AutoTrim;
    int32_t WideMode;
    int32_t Make_Wide;
    int32_t PRG_Limit;
    int32_t PRG_To_SCR;
    int32_t PRG_To_MEM;
    int32_t PRG_MultiByte;
    int32_t PRG_ESCAPE;
    int32_t PAL_Fix_1bit;
};

struct RuntimeValues {
    char tool_dir[260];
    uint16_t resource_type;  // checked resource-type menu command, 257 to 266
    int32_t sprite_width;
    int32_t sprite_height;
};

enum : uint16_t {
    RESOURCE_BG = IDM_TYPE_BG,
    RESOURCE_GRP = IDM_TYPE_GRP,
    RESOURCE_BIN = IDM_TYPE_BIN,
};

// Select holds the number of the options dialog's radio button that chose it.
enum : int32_t {
    SELECT_INPUT_FOLDER = OPT_SELECT_INPUT,
    SELECT_TOOL_FOLDER = OPT_SELECT_TOOL,
    SELECT_USER_FOLDER = OPT_SELECT_USER,
};

// The integer keys of the settings file, in the order they are saved (after
// User, the folder text). Lookups ignore the case of keys.
struct SettingKey {
    const char* section;
    const char* key;  // as the file spells it
    int32_t Settings::*field;
    int32_t replacement;  // what a negative value becomes on loading; -1 keeps it
};
inline constexpr const char* kUserKey = "User";

// The key of that name (any case), or nullptr.
const SettingKey* setting_key(std::string_view key);

extern Settings g_settings;
extern RuntimeValues g_runtime;

// Sets tool_dir to the current directory and loads the settings from there.
void load_settings();
// Loads from <tool_dir>/Brickyard.ini, applying the defaults and replacements.
void load_settings_from(const char* tool_dir);
// The replacements of a load: Select outside 768-1023 becomes 768, negative
// switches their defaults. DATA_Type, WideMode, Make_Wide, PAL_Fix_1bit stay.
void apply_load_replacements(Settings& s);
// Writes every key in the stored order. False when a write failed (the caller may ignore it).
bool save_settings();

// Resets the run-time values to their state at start: resource type 257, sprite 8 x 8.
void reset_runtime_values();

}  // namespace tw
