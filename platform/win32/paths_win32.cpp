#include <windows.h>

#include "platform/paths.h"

namespace tw {

bool system_lead_byte(unsigned char c) {
    return IsDBCSLeadByte(c) != 0;
}

}  // namespace tw
