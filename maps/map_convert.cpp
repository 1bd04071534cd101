#include "maps/map_convert.h"

#include <memory>
#include <new>

#include "common/failure.h"
#include "image/image_outputs.h"
#include "image/png_image.h"
#include "resources/texts.h"
#include "text/scr_screen.h"

namespace tw {

bool convert_map(ConvertJob job, bool flips, TileMap& map) {
    BmpImage image = read_picture(job.path, 8, 8, 0xFF);
    if (image.pixel_count == 0 || !build_tile_map(image, flips, map)) return false;

    ImageOutputs out(job, "CHR");
    bool ok = out.write_col(image);
    const uint32_t parts = tile_map_chr_count(map);
    for (uint32_t i = 0; i < parts; ++i) {
        if (!out.name_part(parts, i, "%s%s_CHR%u.ptc", "%s%s_CHR.ptc")) {
            ok = false;
            continue;
        }
        ResourceBuffer chr = tile_map_chr(map, i);
        ok = !chr.empty() && write_ptc(out.job(), chr, TYPE_CODE_CHR) && ok;
    }
    ResourceBuffer scr = scr_buffer_from_cells(map.cells);
    if (scr.empty()) {
        set_failure("%s", kReasonOutOfMemory.get());
        return false;
    }
    return out.name_whole("%s%s_SCR.ptc") && write_ptc(out.job(), scr, TYPE_CODE_SCR) && ok;
}

}  // namespace tw
