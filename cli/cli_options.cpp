#include "cli/cli_options.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "common/ascii_text.h"
#include "common/fixed_text.h"
#include "platform/console.h"
#include "resources/texts.h"
#include "settings/settings.h"

namespace tw::cli {

Language language_from_environment() {
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && value[0] != '\0')
            return std::strncmp(value, "ja", 2) == 0 ? LANGUAGE_JA : LANGUAGE_EN;
    }
    return system_language_is_japanese() ? LANGUAGE_JA : LANGUAGE_EN;
}

int usage_error(const std::string& command, const std::string& message) {
    console_write(CONSOLE_ERR,
                  say(kCliMore.get(), command.c_str(), message.c_str(), command.c_str()));
    return 2;
}

std::optional<int32_t> parse_int32(std::string_view text) {
    size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    if (i == text.size()) return std::nullopt;
    int64_t n = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9') return std::nullopt;
        n = n * 10 + (text[i] - '0');
        if (n > 2147483648ll) return std::nullopt;
    }
    if (negative) n = -n;
    if (n > 2147483647ll) return std::nullopt;
    return static_cast<int32_t>(n);
}

std::string apply_setting(std::string_view assignment) {
    size_t eq = assignment.find('=');
    if (eq == std::string_view::npos || eq == 0)
        return say(kCliSetForm.get(), std::string(assignment).c_str());
    std::string_view key = assignment.substr(0, eq);
    std::string_view value = assignment.substr(eq + 1);
    if (same_ci(key, kUserKey)) {
        if (value.empty() || !copy_text(g_settings.User, sizeof g_settings.User, value))
            return kCliUserFolder.get();
        return "";
    }
    if (const SettingKey* k = setting_key(key)) {
        auto n = parse_int32(value);
        if (!n) return say(kCliSettingInteger.get(), k->key, std::string(value).c_str());
        g_settings.*k->field = *n;
        apply_load_replacements(g_settings);
        return "";
    }
    return say(kCliUnknownSetting.get(), std::string(key).c_str());
}

}  // namespace tw::cli
