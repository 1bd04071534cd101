#include "extract/screen_output.h"

#include <cstdio>
#include <string>

#include "common/failure.h"
#include "common/fixed_text.h"
#include "image/resource_kinds.h"
#include "platform/files.h"
#include "resources/texts.h"
#include "text/screen_cells.h"

namespace tw {

bool scr_to_files(InputCursor& in, const char* base_path, const std::string& part_name) {
    uint8_t body[kScrKind.body_length];
    if (!in.read(body, sizeof body)) {
        set_failure(kReasonPtcTruncated);
        return false;
    }
    char raw_path[260], text_path[260];
    if (!format_text(raw_path, sizeof raw_path, "%s%s%s", base_path, part_name.c_str(),
                     kScrKind.extracted[0]) ||
        !format_text(text_path, sizeof text_path, "%s%s%s", base_path, part_name.c_str(),
                     kScrKind.extracted[1])) {
        set_failure(kReasonPathTooLong, base_path);
        return false;
    }
    ScreenCells cells;
    cells_from_scr_body(body, cells);
    uint8_t raw[kRawScreenBytes];
    raw_screen_from_cells(cells, raw);
    if (!write_whole_file(raw_path, raw, sizeof raw)) {
        set_failure(kReasonWriteOutput, raw_path);
        return false;
    }
    std::string text =
        "' BG SCREEN DATA\r\n"
        "' BGPUT Layer, x, y, Number, Palette, horizonal_reverse, vertical_reverse\r\n"
        "' LAYER=0\r\n"
        "\r\n";
    text.reserve(text.size() + kScreenCellCount * 40);
    char line[64];
    for (uint32_t y = 0; y < kScreenSide; ++y)
        for (uint32_t x = 0; x < kScreenSide; ++x) {
            const auto v = static_cast<uint32_t>(cells[y][x]);
            int n = std::snprintf(line, sizeof line, "BGPUT LAYER, %2u, %2u, %4u, %2u, %d, %d\r\n",
                                  x, y, cell_tile(v), cell_palette(v), cell_flip_h(v) ? 1 : 0,
                                  cell_flip_v(v) ? 1 : 0);
            text.append(line, static_cast<size_t>(n));
        }
    if (!write_whole_file(text_path, text.data(), text.size())) {
        set_failure(kReasonWriteOutput, text_path);
        return false;
    }
    return true;
}

}  // namespace tw
