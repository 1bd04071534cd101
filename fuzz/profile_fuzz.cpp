// The settings file parser on arbitrary text: lookups and updates must stay
// inside the text, and an update must make the key readable with its value.

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/posix/profile_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    (void)tw::profile_lookup(text, "Convert", "TextOut");
    std::string updated = tw::profile_update(text, "Convert", "TextOut", "123");
    auto back = tw::profile_lookup(updated, "Convert", "TextOut");
    // A text that already holds a [Convert] header inside a stranger line may shadow the key;
    // what must hold is that reading never fails and never reads past the text.
    if (back) (void)tw::profile_parse_int(*back);
    return 0;
}
