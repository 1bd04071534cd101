#pragma once
// Option values of the command line: resource types and settings by name.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "common/fixed_text.h"
#include "common/text.h"

namespace tw::cli {

// Applies KEY=VALUE to the settings in force (KEY as in the settings file, any
// case; VALUE a decimal integer, or a folder for User). Returns an error
// message, empty on success.
std::string apply_setting(std::string_view assignment);

// Prints "COMMAND: MESSAGE" and where help is on standard error; returns exit status 2.
int usage_error(const std::string& command, const std::string& message);

// The language of the messages: Japanese when the locale is (LC_ALL, else
// LC_MESSAGES, else LANG, starting with "ja"), English otherwise; where none of
// them is set, the system's own language.
Language language_from_environment();

// A whole decimal number that fits 32 bits.
std::optional<int32_t> parse_int32(std::string_view text);

}  // namespace tw::cli
