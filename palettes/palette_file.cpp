#include "palettes/palette_file.h"

#include "common/failure.h"
#include "common/little_endian.h"
#include "image/ptc_file.h"
#include "image/resource_kinds.h"
#include "picture/png_image.h"
#include "resources/texts.h"
#include "settings/settings.h"

namespace tw {

bool read_palette_file(const char* path, uint16_t (&colours)[256]) {
    if (is_ptc_file(path)) {
        ResourceBuffer col = read_ptc_resource(path, kColKind);
        if (col.empty()) return false;
        for (uint32_t i = 0; i < 256; ++i) colours[i] = get_le16(col.body() + 2 * i);
        return true;
    }
    // The two-colour question belongs to `keep` alone: a palette is taken as the file has it.
    const int32_t fix = g_settings.PAL_Fix_1bit;
    g_settings.PAL_Fix_1bit = 0;
    BmpImage image = read_picture(path, 1, 1, 0xFF);
    g_settings.PAL_Fix_1bit = fix;
    if (image.pixel_count == 0) {
        set_failure(kReasonPaletteFile, path);
        return false;
    }
    for (uint32_t i = 0; i < 256; ++i)
        colours[i] = get_le16(image.col + ResourceBuffer::kPrefixLength + 2 * i);
    return true;
}

}  // namespace tw
