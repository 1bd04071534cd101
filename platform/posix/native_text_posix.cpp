#include "platform/native_text.h"

namespace tw {

std::string native_to_utf8(const char* text) { return text; }

}  // namespace tw
