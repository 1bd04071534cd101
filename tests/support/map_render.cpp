#include "support/map_render.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "common/failure.h"
#include "maps/map_convert.h"
#include "maps/screen_render.h"

namespace tw::test {

std::vector<uint8_t> render_mapped(const MapScreens& m, size_t screen) {
    auto s = std::make_unique<ScreenSources>();
    std::memcpy(s->cells, m.screens[screen]->cells, sizeof s->cells);
    for (uint32_t b = 0; b < chr_part_count(m.tiles.size()); ++b) {
        ResourceBuffer chr = chr_part(m.tiles, b);
        s->banks[b].assign(chr.body(), chr.body() + chr.body_length());
    }
    std::memcpy(s->colours, m.palette.colours, sizeof s->colours);
    std::vector<uint8_t> pixels;
    EXPECT_TRUE(render_screen(*s, Crop{}, pixels)) << last_failure();
    return pixels;
}

}  // namespace tw::test
