#include "maps/map_convert.h"

#include <memory>
#include <new>

#include "common/failure.h"
#include "image/image_outputs.h"
#include "picture/png_image.h"
#include "resources/texts.h"
#include "text/scr_screen.h"

namespace tw {

bool write_chr_parts(ImageOutputs& out, const std::vector<PackedTile>& tiles) {
    bool ok = true;
    const uint32_t parts = chr_part_count(tiles.size());
    for (uint32_t i = 0; i < parts; ++i) {
        if (!out.name_part(parts, i)) {
            ok = false;
            continue;
        }
        ResourceBuffer chr = chr_part(tiles, i);
        ok = !chr.empty() && write_ptc(out.job(), chr, kChrKind.type_code) && ok;
    }
    return ok;
}

bool write_screen(ImageOutputs& out, const ScreenCells& cells) {
    return write_screen_part(out, cells, 1, 0);
}

bool write_screen_part(ImageOutputs& out, const ScreenCells& cells, uint32_t parts, uint32_t part) {
    ResourceBuffer scr = scr_buffer_from_cells(cells);
    if (scr.empty()) {
        set_failure(kReasonOutOfMemory);
        return false;
    }
    const bool named = parts <= 1 ? out.name_whole(kScrKind.tag()) : out.name_part(parts, part);
    return named && write_ptc(out.job(), scr, kScrKind.type_code);
}

bool convert_map(ConvertJob job, bool flips, TileMap& map) {
    BmpImage image = read_picture(job.path, 8, 8, 0xFF);
    if (image.pixel_count == 0 || !build_tile_map(image, flips, map)) return false;

    ImageOutputs out(job, kChrKind.tag());
    bool ok = out.write_col(image);
    ok = write_chr_parts(out, map.tiles) && ok;
    return write_screen(out, map.cells) && ok;
}

}  // namespace tw
