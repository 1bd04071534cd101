#pragma once
// The profile file format of our own POSIX module, on text in memory.

#include <optional>
#include <string>
#include <string_view>

namespace tw {

// The value of section/key in the text, trimmed, one pair of quotes removed;
// nullopt when the key is absent. The first occurrence wins.
std::optional<std::string> profile_lookup(std::string_view text, std::string_view section,
                                          std::string_view key);

// The text with section/key set to value: the key's line replaced, or the key
// added at the end of its section, or the section added at the end.
std::string profile_update(std::string_view text, std::string_view section, std::string_view key,
                           std::string_view value);

// Leading decimal integer as the profile API reads it: optional sign, digits; 0 when none.
int32_t profile_parse_int(std::string_view value);

}  // namespace tw
