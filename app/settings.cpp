#include "app/settings.h"

#include <cstdio>
#include <cstring>

#include "common/fixed_text.h"
#include "platform/files.h"
#include "platform/profile.h"

namespace tw {

Settings g_settings{768, 0, "", 1, -1, 1, -1, -1, 1, 1, 1, 0, 0, -1};
RuntimeValues g_runtime{"", RESOURCE_BG, 8, 8};

namespace {
constexpr const char* kDirectory = "Directory";
constexpr const char* kConvert = "Convert";

void replace_negative(int32_t& field, int32_t def) {
    if (field < 0) field = def;
}
}  // namespace

bool settings_path(const char* tool_dir, char (&out)[260]) {
    return format_text(out, sizeof out, "%s/Brickyard.ini", tool_dir);
}

void reset_runtime_values() {
    g_runtime.resource_type = RESOURCE_BG;
    g_runtime.sprite_width = 8;
    g_runtime.sprite_height = 8;
}

void load_settings() {
    char dir[260] = "";
    if (!current_directory(dir, sizeof dir)) dir[0] = '\0';
    load_settings_from(dir);
}

void load_settings_from(const char* tool_dir) {
    if (!copy_text(g_runtime.tool_dir, sizeof g_runtime.tool_dir, tool_dir))
        g_runtime.tool_dir[0] = '\0';
    char path[260];
    // A tool folder too long for the settings path reads no file: the defaults apply.
    bool have_path = settings_path(g_runtime.tool_dir, path);
    const char* p = have_path ? path : "";
    auto read_int = [&](const char* section, const char* key) {
        return have_path ? profile_read_int(section, key, -1, p) : -1;
    };
    Settings& s = g_settings;
    s.Select = read_int(kDirectory, "Select");
    s.Create = read_int(kDirectory, "Create");
    size_t n = have_path ? profile_read_string(kDirectory, "User", "", s.User, sizeof s.User, p)
                         : 0;
    if (n == 0) copy_text(s.User, sizeof s.User, g_runtime.tool_dir);
    s.TextOut = read_int(kConvert, "TextOut");
    s.DATA_Type = read_int(kConvert, "DATA_Type");
    s.AutoTrim = read_int(kConvert, "AutoTrim");
    s.WideMode = read_int(kConvert, "WideMode");
    s.Make_Wide = read_int(kConvert, "Make_Wide");
    s.PRG_Limit = read_int(kConvert, "PRG_Limit");
    s.PRG_To_SCR = read_int(kConvert, "PRG_To_SCR");
    s.PRG_To_MEM = read_int(kConvert, "PRG_To_MEM");
    s.PRG_MultiByte = read_int(kConvert, "PRG_MultiByte");
    s.PRG_ESCAPE = read_int(kConvert, "PRG_ESCAPE");
    s.PAL_Fix_1bit = read_int(kConvert, "PAL_Fix_1bit");
    apply_load_replacements(s);
}

void apply_load_replacements(Settings& s) {
    if (((static_cast<uint32_t>(s.Select) >> 8) & 0xFF) != 3) s.Select = 768;
    replace_negative(s.Create, 0);
    replace_negative(s.TextOut, 1);
    replace_negative(s.AutoTrim, 1);
    replace_negative(s.PRG_Limit, 1);
    replace_negative(s.PRG_To_SCR, 1);
    replace_negative(s.PRG_To_MEM, 1);
    replace_negative(s.PRG_MultiByte, 0);
    replace_negative(s.PRG_ESCAPE, 0);
}

bool save_settings() {
    char path[260];
    if (!settings_path(g_runtime.tool_dir, path)) return false;
    const Settings& s = g_settings;
    bool ok = profile_write_string(kDirectory, "User", s.User, path);
    auto put = [&](const char* section, const char* key, int32_t value) {
        char text[16];
        std::snprintf(text, sizeof text, "%d", value);
        ok = profile_write_string(section, key, text, path) && ok;
    };
    put(kDirectory, "Select", s.Select);
    put(kDirectory, "Create", s.Create);
    put(kConvert, "TextOut", s.TextOut);
    put(kConvert, "Data_Type", s.DATA_Type);
    put(kConvert, "AutoTrim", s.AutoTrim);
    put(kConvert, "PAL_Fix_1bit", s.PAL_Fix_1bit);
    put(kConvert, "WideMode", s.WideMode);
    put(kConvert, "Make_Wide", s.Make_Wide);
    put(kConvert, "PRG_Limit", s.PRG_Limit);
    put(kConvert, "PRG_To_SCR", s.PRG_To_SCR);
    put(kConvert, "PRG_To_MEM", s.PRG_To_MEM);
    put(kConvert, "PRG_MultiByte", s.PRG_MultiByte);
    put(kConvert, "PRG_ESCAPE", s.PRG_ESCAPE);
    return ok;
}

}  // namespace tw
