#include "image/grp_convert.h"

#include "image/chr_convert.h"
#include "image/data_text.h"
#include "image/image_outputs.h"

namespace tw {

bool convert_grp(ConvertJob job) {
    BmpImage image = read_bmp(job, 1, 1, 255);
    if (image.pixel_count == 0) return false;

    ImageOutputs out(job, kGrpKind.tag());
    if (!out.open_data_text("%s%s_GRP_DATA.txt")) return false;
    if (BufferedWriter* text = out.text()) {
        write_palette_data(text, image);
        text->put("\r' GRAPHIC DATA\r");
    }
    const uint32_t parts = image_part_count(image, kGrpPartPixels, kGrpPageWidth);
    bool ok = out.write_col(image);
    for (uint32_t i = 0; i < parts; ++i) {
        if (parts > 1 && out.text()) out.text()->printf("' - GRP%u\r", i);
        if (!out.name_part(parts, i)) {
            ok = false;
            continue;
        }
        ResourceBuffer body = gather_tiles(kGrpPartPixels, i, 64, 64, kGrpPageWidth, image);
        ok = write_ptc(out.job(), body, kGrpKind.type_code) && ok;
        write_grp_data(out.text(), body);
    }
    return out.finish() && ok;
}

}  // namespace tw
