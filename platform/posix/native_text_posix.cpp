#include "platform/native_text.h"

namespace tw {

std::string native_to_utf8(const char* text) {
    return text;
}

std::string utf8_to_native(const std::string& text) {
    return text;
}

}  // namespace tw
