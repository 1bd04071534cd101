// MEM$ text on arbitrary bytes, with and without escapes: a body is 536 bytes
// with a count of at most 256, or there is none.

#include <cstdint>
#include <cstdlib>

#include "settings/settings.h"
#include "text/mem_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    for (int escape = 0; escape < 2; ++escape) {
        tw::g_settings.PRG_ESCAPE = escape;
        tw::ResourceBuffer b = tw::mem_body_from_bytes(data, size);
        if (b.empty()) continue;
        if (b.length() != tw::kMemBufferLength) abort();
        const uint8_t* d = b.data();
        uint32_t count = d[532] | d[533] << 8 | d[534] << 16 | static_cast<uint32_t>(d[535]) << 24;
        if (count > 256) abort();
    }
    return 0;
}
