// BMP decoding on arbitrary bytes, then cutting the image into CHR and GRP
// bodies: nothing may read or write outside its buffers.

#include <cstdint>
#include <cstdlib>

#include "image/chr_convert.h"
#include "picture/bmp_image.h"
#include "settings/settings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The last byte picks the settings and the unit, so every path is reached (the
    // first is the "B" of every image that reads).
    uint8_t pick = size > 0 ? data[size - 1] : 0;
    tw::g_settings.AutoTrim = pick & 1;
    tw::g_settings.PAL_Fix_1bit = (pick >> 1) & 1;
    const int32_t units[][2] = {{8, 8},   {16, 16}, {32, 16}, {16, 32},
                                {32, 32}, {64, 32}, {32, 64}, {64, 64}};
    const auto& unit = units[(pick >> 2) & 7];
    const uint8_t mask = (pick & 0x20) ? 255 : 15;
    tw::BmpImage img = tw::decode_bmp(data, size, "fuzz.bmp", unit[0], unit[1], mask);
    if (img.pixel_count == 0) return 0;
    if (img.pixel_count != static_cast<uint32_t>(img.width) * static_cast<uint32_t>(img.height))
        abort();
    // Cutting fills a whole part (16384 or 49152 pixels) however small the image,
    // and costs far more than decoding: only images of 4096 pixels or less are cut,
    // and into a graphic page only now and then.
    if (img.pixel_count <= 4096 && (pick & 0xC0) == 0x40) {
        const int32_t region = tw::chr_region_width(img.width);
        if (region > 0)
            (void)tw::gather_tiles(tw::kChrPartPixels, 0, unit[0], unit[1], region, img);
    }
    if (img.pixel_count <= tw::kGrpPartPixels && (pick & 0xC0) == 0x80 && (pick & 3) == 3)
        (void)tw::gather_tiles(tw::kGrpPartPixels, 0, 64, 64, tw::kGrpPageWidth, img);
    return 0;
}
