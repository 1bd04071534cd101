// Program text on arbitrary bytes in every setting: a body is 32 bytes, the
// text and padding to 4, never longer than the input allows.

#include <cstdint>
#include <cstdlib>
#include <vector>

#include "settings/settings.h"
#include "text/prg_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    for (int mode = 0; mode < 4; ++mode) {
        tw::g_settings.PRG_ESCAPE = mode & 1;
        tw::g_settings.PRG_Limit = mode >> 1;
        std::vector<uint8_t> text(data, data + size);
        tw::ResourceBuffer b = tw::prg_body_from_text(text.data(), text.size());
        if (b.empty()) continue;
        const uint8_t* body = b.body();
        uint32_t n =
            body[8] | body[9] << 8 | body[10] << 16 | static_cast<uint32_t>(body[11]) << 24;
        if (n == 0 || n > size || b.length() != 32 + n + (4 - n % 4) % 4) abort();
    }
    return 0;
}
