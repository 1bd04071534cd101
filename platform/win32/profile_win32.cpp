#include <windows.h>

#include "platform/profile.h"

namespace tw {

int32_t profile_read_int(const char* section, const char* key, int32_t def, const char* path) {
    return static_cast<int32_t>(GetPrivateProfileIntA(section, key, def, path));
}

size_t profile_read_string(const char* section, const char* key, const char* def, char* out,
                           size_t cap, const char* path) {
    if (cap == 0) return 0;
    return GetPrivateProfileStringA(section, key, def, out, static_cast<DWORD>(cap), path);
}

bool profile_write_string(const char* section, const char* key, const char* value,
                          const char* path) {
    return WritePrivateProfileStringA(section, key, value, path) != 0;
}

}  // namespace tw
