#include "settings/settings.h"

#include <cstdio>
#include <cstring>

#include "common/ascii_text.h"
#include "common/fixed_text.h"
#include "platform/files.h"
#include "platform/profile.h"

namespace tw {

namespace {

constexpr int32_t kKeepNegative = -1;
constexpr const char* kSectionDirectory = "Directory";
constexpr const char* kSectionConvert = "Convert";

const SettingKey kSettingKeys[] = {
    {kSectionDirectory, "Select", &Settings::Select, kKeepNegative},  // its own rule, below
    {kSectionDirectory, "Create", &Settings::Create, 0},
    {kSectionConvert, "TextOut", &Settings::TextOut, 1},
    {kSectionConvert, "Data_Type", &Settings::DATA_Type, kKeepNegative},
    {kSectionConvert, "AutoTrim", &Settings::AutoTrim, 1},
    {kSectionConvert, "PAL_Fix_1bit", &Settings::PAL_Fix_1bit, kKeepNegative},
    {kSectionConvert, "WideMode", &Settings::WideMode, kKeepNegative},
    {kSectionConvert, "Make_Wide", &Settings::Make_Wide, kKeepNegative},
    {kSectionConvert, "PRG_Limit", &Settings::PRG_Limit, 1},
    {kSectionConvert, "PRG_To_SCR", &Settings::PRG_To_SCR, 1},
    {kSectionConvert, "PRG_To_MEM", &Settings::PRG_To_MEM, 1},
    {kSectionConvert, "PRG_MultiByte", &Settings::PRG_MultiByte, 0},
    {kSectionConvert, "PRG_ESCAPE", &Settings::PRG_ESCAPE, 0},
};

// Every key absent: what a load of no file gives.
Settings default_settings() {
    Settings s{};
    for (const SettingKey& k : kSettingKeys) s.*k.field = -1;
    apply_load_replacements(s);
    return s;
}

}  // namespace

Settings g_settings = default_settings();
RuntimeValues g_runtime{"", RESOURCE_BG, 8, 8};

const SettingKey* setting_key(std::string_view key) {
    for (const SettingKey& k : kSettingKeys)
        if (same_ci(key, k.key)) return &k;
    return nullptr;
}

namespace {

bool settings_path(const char* tool_dir, char (&out)[260]) {
    return format_text(out, sizeof out, "%s/Brickyard.ini", tool_dir);
}

}  // namespace

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
    for (const SettingKey& k : kSettingKeys) s.*k.field = read_int(k.section, k.key);
    size_t n = have_path
                   ? profile_read_string(kSectionDirectory, kUserKey, "", s.User, sizeof s.User, p)
                   : 0;
    if (n == 0) copy_text(s.User, sizeof s.User, g_runtime.tool_dir);
    apply_load_replacements(s);
}

void apply_load_replacements(Settings& s) {
    // Select keeps only the numbers 768 to 1023, the options dialog's range for it.
    if (((static_cast<uint32_t>(s.Select) >> 8) & 0xFF) != 3) s.Select = SELECT_INPUT_FOLDER;
    for (const SettingKey& k : kSettingKeys)
        if (k.replacement != kKeepNegative && s.*k.field < 0) s.*k.field = k.replacement;
}

bool save_settings() {
    char path[260];
    if (!settings_path(g_runtime.tool_dir, path)) return false;
    const Settings& s = g_settings;
    bool ok = profile_write_string(kSectionDirectory, kUserKey, s.User, path);
    for (const SettingKey& k : kSettingKeys) {
        char text[16];
        std::snprintf(text, sizeof text, "%d", s.*k.field);
        ok = profile_write_string(k.section, k.key, text, path) && ok;
    }
    return ok;
}

}  // namespace tw
