#pragma once
// `sprites`: a sheet cut into sprites of one size in reading order, each
// sprite one palette bank, as character sets, the sprite palette and a DATA
// text of each sprite's palette number.

#include <vector>

#include "convert/convert_job.h"
#include "maps/tile_map.h"
#include "palettes/picture_options.h"
#include "palettes/unit_banks.h"
#include "picture/picture.h"

namespace tw {

// Eight character sets, as the sprite slots of a package hold.
inline constexpr uint32_t kSheetMaxTiles = 2048;

struct SpriteSheet {
    BankPalette palette;
    std::vector<PackedTile> tiles;  // sprite k from tile k * W * H / 64 on, row-major inside it
    std::vector<uint8_t> palettes;  // each sprite's bank, in reading order
    UnitBanks units;                // for the report
    PictureSummary summary;
};

// Cuts the picture into options.unit_width x options.unit_height sprites.
// False with the reason recorded (sheet.units serves the report when the
// palette stage ran).
bool build_sprite_sheet(const Picture& picture, const PictureOptions& options, SpriteSheet& sheet);

// Reads job.path and writes NAME_CHR.ptc (NAME_CHR0.ptc... past 256 tiles),
// NAME_COL.ptc and NAME_PAL_DATA.txt into job.out_dir; with options.report
// also NAME_report.png, whether the conversion succeeds or not. Nothing else
// is written when it fails.
bool convert_sprites(const ConvertJob& job, const PictureOptions& options, PictureSummary& summary);

}  // namespace tw
