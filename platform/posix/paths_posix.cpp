#include "platform/paths.h"

namespace tw {

bool system_lead_byte(unsigned char) {
    return false;
}

const Text* system_name_fault(std::string_view) {
    return nullptr;
}

}  // namespace tw
