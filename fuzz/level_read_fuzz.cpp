// Reading arbitrary Tiled levels (TMX or TMJ maps, TSX or TSJ tilesets, layer
// data as CSV or base64, raw or zlib, gzip or zstd) and drawing every layer
// read: reading checks what drawing needs, so drawing must stay inside the
// tileset images and the map.
//
// The input is up to four files cut at each "\n=====\n": the map, then the
// files it may name, served from memory as "1", "2" and "3" beside it.

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "levels/level.h"
#include "levels/level_draw.h"
#include "platform/memory_files.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static tw::MemoryFileSystem* files = new tw::MemoryFileSystem;
    files->clear();
    files->add_folder("lv");
    constexpr std::string_view kCut = "\n=====\n";
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    size_t at = 0;
    for (int part = 0; part < 4 && at <= input.size(); ++part) {
        size_t end = part < 3 ? input.find(kCut, at) : std::string_view::npos;
        if (end == std::string_view::npos) end = input.size();
        const std::string name = part == 0 ? "lv/map" : "lv/" + std::to_string(part);
        files->add_file(name, std::vector<uint8_t>(data + at, data + end));
        at = end + kCut.size();
    }
    tw::Level level;
    if (!tw::read_level_file("lv/map", level)) return 0;
    // At most 64 cells of 8 pixels a side, tiles a whole number of cells.
    const uint64_t across = uint64_t{level.width} * level.tile_width;
    const uint64_t down = uint64_t{level.height} * level.tile_height;
    if (across == 0 || down == 0 || across > 8 * tw::kLevelMaxCells ||
        down > 8 * tw::kLevelMaxCells || level.tile_width % 8 != 0 || level.tile_height % 8 != 0)
        abort();
    for (size_t layer = 0; layer < level.layers.size(); ++layer) {
        if (level.layers[layer].gids.size() != size_t{level.width} * level.height) abort();
        const tw::Picture drawn = tw::draw_level_layer(level, layer);
        if (drawn.width != level.width * level.tile_width ||
            drawn.height != level.height * level.tile_height)
            abort();
    }
    return 0;
}
