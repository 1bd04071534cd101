#include "extract/screen_output.h"

#include <cstdio>
#include <string>

#include "common/failure.h"
#include "common/fixed_text.h"
#include "common/little_endian.h"
#include "platform/files.h"
#include "resources/texts.h"

namespace tw {

bool scr_to_files(InputCursor& in, const char* base_path, const std::string& part_name) {
    uint8_t body[8192];
    if (!in.read(body, sizeof body)) {
        set_failure("%s", kReasonPtcTruncated.get());
        return false;
    }
    char raw_path[260], text_path[260];
    if (!format_text(raw_path, sizeof raw_path, "%s%s_SCR.rscr", base_path, part_name.c_str()) ||
        !format_text(text_path, sizeof text_path, "%s%s_SCR.txt", base_path, part_name.c_str())) {
        set_failure(kReasonPathTooLong, base_path);
        return false;
    }
    uint16_t grid[4096];
    for (uint32_t k = 0; k < 4096; ++k) {
        uint32_t block = k / 1024;
        uint32_t x = (k % 32) + 32 * (block % 2);
        uint32_t y = (k % 1024) / 32 + 32 * (block / 2);
        grid[y * 64 + x] = get_le16(body + 2 * k);
    }
    uint8_t raw[8192];
    for (int i = 0; i < 4096; ++i) {
        raw[2 * i] = static_cast<uint8_t>(grid[i] >> 8);
        raw[2 * i + 1] = static_cast<uint8_t>(grid[i]);
    }
    if (!write_whole_file(raw_path, raw, sizeof raw)) {
        set_failure(kReasonWriteOutput, raw_path);
        return false;
    }
    std::string text =
        "' BG SCREEN DATA\r\n"
        "' BGPUT Layer, x, y, Number, Palette, horizonal_reverse, vertical_reverse\r\n"
        "' LAYER=0\r\n"
        "\r\n";
    text.reserve(text.size() + 4096 * 40);
    char line[64];
    for (int i = 0; i < 4096; ++i) {
        uint16_t v = grid[i];
        int n = std::snprintf(line, sizeof line, "BGPUT LAYER, %2d, %2d, %4d, %2d, %d, %d\r\n",
                              i % 64, i / 64, v & 0x3FF, v >> 12, (v >> 10) & 1, (v >> 11) & 1);
        text.append(line, static_cast<size_t>(n));
    }
    if (!write_whole_file(text_path, text.data(), text.size())) {
        set_failure(kReasonWriteOutput, text_path);
        return false;
    }
    return true;
}

}  // namespace tw
