#include "image/chr_convert.h"

#include <cstring>

#include "common/failure.h"
#include "common/fixed_text.h"
#include "image/data_text.h"
#include "image/image_outputs.h"
#include "resources/texts.h"
#include "settings/settings.h"

namespace tw {

ResourceBuffer gather_tiles(uint32_t part_pixels, uint32_t part, int32_t unit_width,
                            int32_t unit_height, int32_t region_width, const BmpImage& image) {
    if (image.pixel_count == 0) return {};
    if (region_width < 0) region_width = image.width;
    if (region_width <= 0 || unit_width <= 0 || unit_height <= 0 || unit_width % 8 != 0 ||
        unit_height % 8 != 0)
        return {};
    const uint32_t rw = static_cast<uint32_t>(region_width);
    const uint32_t rh = part_pixels / rw;
    if (rh == 0) return {};
    const uint32_t width = static_cast<uint32_t>(image.width);
    const uint32_t height = static_cast<uint32_t>(image.height);
    const uint32_t across = (width + rw - 1) / rw;
    if (part >= image_part_count(image, part_pixels, rw)) return {};

    const bool four_bit = part_pixels < kGrpPartPixels;
    ResourceBuffer buf(four_bit ? kChrKind : kGrpKind, four_bit ? part_pixels / 2 : part_pixels);
    if (buf.empty()) return {};
    uint8_t* out = buf.body();
    const uint32_t x0 = (part % across) * rw;
    const uint32_t y0 = (part / across) * rh;
    const uint32_t uw = static_cast<uint32_t>(unit_width), uh = static_cast<uint32_t>(unit_height);
    const uint8_t* pixels = image.pixels.get();

    // Pixels emitted so far; a region whose units do not fit it is cut at part_pixels.
    uint32_t emitted = 0;
    uint8_t row[8];
    for (uint32_t by = 0; by < rh; by += uh)
        for (uint32_t bx = 0; bx < rw; bx += uw)
            for (uint32_t ty = 0; ty < uh; ty += 8)
                for (uint32_t tx = 0; tx < uw; tx += 8)
                    for (uint32_t r = 0; r < 8; ++r) {
                        if (emitted + 8 > part_pixels) return buf;
                        uint32_t y = y0 + by + ty + r, x = x0 + bx + tx;
                        if (y < height && x + 8 <= width) {
                            std::memcpy(row, pixels + static_cast<size_t>(y) * width + x, 8);
                        } else {
                            for (uint32_t c = 0; c < 8; ++c)
                                row[c] = (y < height && x + c < width)
                                             ? pixels[static_cast<size_t>(y) * width + x + c]
                                             : 0;
                        }
                        if (four_bit) {
                            uint8_t* o = out + emitted / 2;
                            for (uint32_t c = 0; c < 8; c += 2)
                                o[c / 2] = static_cast<uint8_t>((row[c] & 0x0F) |
                                                                (row[c + 1] & 0x0F) << 4);
                        } else {
                            std::memcpy(out + emitted, row, 8);
                        }
                        emitted += 8;
                    }
    return buf;
}

uint32_t image_part_count(const BmpImage& image, uint32_t part_pixels, uint32_t region_width) {
    const uint32_t region_height = part_pixels / region_width;
    if (region_width == 0 || region_height == 0) return 0;
    return ((static_cast<uint32_t>(image.height) + region_height - 1) / region_height) *
           ((static_cast<uint32_t>(image.width) + region_width - 1) / region_width);
}

int32_t chr_region_width(int32_t image_width) {
    int32_t w = g_settings.AutoTrim != 0 ? image_width : (g_settings.WideMode != 0 ? 256 : 128);
    if (w <= 0 || w > static_cast<int32_t>(kChrPartPixels)) return 0;
    int32_t p = 1;
    while (p < w) p <<= 1;  // the next power of two at or above w divides 16384
    return p;
}

bool convert_chr(ConvertJob job) {
    const int32_t uw = g_runtime.sprite_width, uh = g_runtime.sprite_height;
    BmpImage image = read_bmp(job, uw, uh, 15);
    if (image.pixel_count == 0) return false;

    // A region narrower than 16384 / unit height keeps every part to 256 whole tiles.
    const int32_t region = chr_region_width(image.width);
    if (region == 0 || static_cast<int32_t>(kChrPartPixels) / region < uh) {
        int32_t limit = static_cast<int32_t>(kChrPartPixels) / uh;
        set_failure(kReasonChrWidth, image.width, uh, limit);
        return false;
    }
    const uint32_t parts = image_part_count(image, kChrPartPixels, static_cast<uint32_t>(region));

    ImageOutputs out(job, kChrKind.tag());
    if (!out.open_data_text("%s%s_CHR_DATA.txt")) return false;
    if (BufferedWriter* text = out.text()) {
        write_palette_data(text, image);
        text->printf("\r' %dx%d SPRITE DATA\r", uw, uh);
    }
    bool ok = out.write_col(image);
    for (uint32_t i = 0; i < parts; ++i) {
        if (parts > 1 && out.text()) out.text()->printf("' - SPU%u\r", i);
        if (!out.name_part(parts, i)) {
            ok = false;
            continue;
        }
        ResourceBuffer body = gather_tiles(kChrPartPixels, i, uw, uh, region, image);
        ok = write_ptc(out.job(), body, kChrKind.type_code) && ok;
        write_chr_data(out.text(), body, uw, uh, static_cast<int32_t>(i));
    }
    return out.finish() && ok;
}

}  // namespace tw
