// BGPUT text on arbitrary bytes: the parser must stay inside its 64 x 64 map
// and end every text in a decision.

#include <cstdint>
#include <cstdlib>

#include "text/bgput_parser.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static tw::ScreenCells cells;
    tw::BgputParser parser(cells);
    for (size_t i = 0; i < size; ++i)
        if (!parser.feed(data[i])) break;
    bool ok = parser.finish();
    if (ok && parser.failed()) abort();
    return 0;
}
