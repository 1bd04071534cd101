#pragma once
// `map` of a Tiled level: its visible tile layers drawn and mapped as one set
// of pictures sharing one palette and one tile set, a BG screen for each.
//
// A level that `tiled` wrote and that still uses only its own tilesets is read
// back by character number instead: every cell keeps its character, flips and
// bank, the characters come from the tileset images and the palette from the
// map's properties, so an unchanged export gives back the same bytes.

#include <cstdint>
#include <string>
#include <vector>

#include "convert/convert_job.h"
#include "levels/level.h"
#include "maps/picture_options.h"

namespace tw {

// The map properties that mark a level as ours and carry what its pictures cannot.
inline constexpr const char* kLevelMarkKey = "tilewright";
inline constexpr const char* kLevelMarkValue = "1";
inline constexpr const char* kLevelColoursKey = "tilewright-col";  // 256 colours, 4 hex digits each
inline constexpr const char* kLevelChrBanksKey = "tilewright-chr-banks";

struct LevelMapSummary {
    PictureSummary picture;  // of the pipeline; rule KEEP when read back by character
    bool by_character = false;
    uint32_t layers = 0;
    // What the level holds but the screens do not show.
    uint32_t hidden_tile_layers = 0;
    uint32_t object_layers = 0;
    uint32_t image_layers = 0;
    std::vector<std::string> faded_layers;
};

// True when path names a level by its extension (.tmx, .tmj, .json).
bool is_level_path(const std::string& path);

// Reads the level job.path and writes NAME_COL.ptc, NAME_CHR.ptc (NAME_CHR0.ptc...
// past 256 tiles) and NAME_SCR.ptc for one layer, NAME_SCR0.ptc (the bottom
// layer) and NAME_SCR1.ptc for two, into job.out_dir. Nothing is written when
// it fails (reason recorded).
bool convert_level_map(const ConvertJob& job, const PictureOptions& options,
                       LevelMapSummary& summary);

}  // namespace tw
