#include "extract/bmp_output.h"

#include <cstring>
#include <vector>

#include "common/failure.h"
#include "common/fixed_text.h"
#include "common/little_endian.h"
#include "convert/resource_types.h"
#include "extract/palettes.h"
#include "platform/files.h"
#include "resources/texts.h"
#include "settings/settings.h"

namespace tw {
std::vector<uint8_t> bmp8_file(uint32_t width, uint32_t height, const uint16_t (&colours)[256]) {
    std::vector<uint8_t> file(kBmp8PixelOffset + static_cast<size_t>(width) * height, 0);
    uint8_t* p = file.data();
    p[0] = 'B';
    p[1] = 'M';
    put_le32(p + 2, static_cast<uint32_t>(file.size()));
    put_le32(p + 10, kBmp8PixelOffset);
    put_le32(p + 14, 40);
    put_le32(p + 18, width);
    put_le32(p + 22, height);
    put_le16(p + 26, 1);
    put_le16(p + 28, 8);
    put_le32(p + 46, 256);
    for (int i = 0; i < 256; ++i) put_le32(p + 54 + 4 * i, col_to_bgr0(colours[i]));
    return file;
}

bool write_bmp(InputCursor& in, const char* path, int32_t width, int32_t height, int32_t unit_width,
               int32_t unit_height, const ResourceKind& kind, PaletteSource palette) {
    const uint32_t w = static_cast<uint32_t>(width), h = static_cast<uint32_t>(height);
    const bool chr = &kind == &kChrKind;
    const uint16_t* builtin = chr ? chr_palette : grp_palette;
    uint16_t colours[256];
    if (palette == PALETTE_COL_BODY) {
        uint8_t body[kColKind.body_length];
        if (!in.read(body, sizeof body)) {
            set_failure(kReasonPtcTruncated);
            return false;
        }
        for (int i = 0; i < 256; ++i) colours[i] = get_le16(body + 2 * i);
    } else {
        std::memcpy(colours, builtin, sizeof colours);
    }
    std::vector<uint8_t> file = bmp8_file(w, h, colours);
    uint8_t* pixels = file.data() + kBmp8PixelOffset;
    // Image row y (from the top) is stored as row h - 1 - y.
    auto row = [&](uint32_t y) { return pixels + static_cast<size_t>(h - 1 - y) * w; };
    if (&kind == &kColKind) {
        for (uint32_t y = 0; y < h; ++y)
            for (uint32_t x = 0; x < w; ++x) row(y)[x] = static_cast<uint8_t>(16 * y + x);
    } else {
        std::vector<uint8_t> body(kind.body_length);
        if (!in.read(body.data(), body.size())) {
            set_failure(kReasonPtcTruncated);
            return false;
        }
        const uint32_t uw = static_cast<uint32_t>(unit_width),
                       uh = static_cast<uint32_t>(unit_height);
        size_t at = 0;
        for (uint32_t uy = 0; uy < h; uy += uh)
            for (uint32_t ux = 0; ux < w; ux += uw)
                for (uint32_t ty = 0; ty < uh; ty += 8)
                    for (uint32_t tx = 0; tx < uw; tx += 8)
                        for (uint32_t r = 0; r < 8; ++r) {
                            uint32_t y = uy + ty + r, x = ux + tx;
                            if (y >= h || x + 8 > w || at + (chr ? 4 : 8) > body.size()) {
                                set_failure(kReasonUnitLayout, path);
                                return false;
                            }
                            uint8_t* out = row(y) + x;
                            if (chr) {
                                for (int k = 0; k < 4; ++k) {
                                    out[2 * k] = body[at + k] & 0x0F;
                                    out[2 * k + 1] = body[at + k] >> 4;
                                }
                                at += 4;
                            } else {
                                std::memcpy(out, &body[at], 8);
                                at += 8;
                            }
                        }
    }
    if (!write_whole_file(path, file.data(), file.size())) {
        set_failure(kReasonWriteOutput, path);
        return false;
    }
    return true;
}

void chr_unit_for(const std::string& part_name, uint16_t resource_type, int32_t* unit_width,
                  int32_t* unit_height) {
    if (part_name.compare(1, 2, "BG") == 0) {
        *unit_width = *unit_height = 8;
    } else if (part_name.compare(1, 3, "SPD") == 0) {
        *unit_width = *unit_height = 32;
    } else if (const ResourceType* type = resource_type_by_menu(resource_type);
               type != nullptr && is_sprite_type(*type)) {
        *unit_width = type->unit_width;
        *unit_height = type->unit_height;
    } else {
        *unit_width = *unit_height = (part_name.size() > 1 && part_name[1] == 'S') ? 16 : 8;
    }
}

bool chr_to_bmp(InputCursor& in, const char* base_path, const std::string& part_name) {
    const bool wide = g_settings.Make_Wide != 0;
    int32_t uw, uh;
    chr_unit_for(part_name, g_runtime.resource_type, &uw, &uh);
    char path[260];
    if (!format_text(path, sizeof path, "%s%s%s", base_path, part_name.c_str(),
                     kChrKind.extracted[0])) {
        set_failure(kReasonPathTooLong, base_path);
        return false;
    }
    return write_bmp(in, path, wide ? 256 : 128, wide ? 64 : 128, uw, uh, kChrKind,
                     PALETTE_BUILTIN);
}

}  // namespace tw
