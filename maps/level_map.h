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
#include "maps/picture_map.h"
#include "palettes/picture_options.h"

namespace tw {

// The map properties that mark a level as ours and carry what its pictures cannot.
inline constexpr const char* kLevelMarkKey = "tilewright";
inline constexpr const char* kLevelMarkValue = "1";
inline constexpr const char* kLevelColoursKey = "tilewright-col";  // 256 colours, 4 hex digits each
inline constexpr const char* kLevelChrBanksKey = "tilewright-chr-banks";

// True when path names a level by its extension (.tmx, .tmj, .json).
bool is_level_path(const std::string& path);

// Reads the level at path and draws its visible tile layers, bottom first,
// into source.pictures with their names (prefix, when not empty, before each);
// summary takes what the level holds and does not draw. False with the reason
// recorded.
bool read_level_source(const char* path, const std::string& prefix, Level& level, MapSource& source,
                       LevelMapSummary& summary);

// Reads the level job.path and writes NAME_COL.ptc, NAME_CHR.ptc (NAME_CHR0.ptc...
// past 256 tiles) and NAME_SCR.ptc for one layer, NAME_SCR0.ptc (the bottom
// layer) and NAME_SCR1.ptc for two, into job.out_dir, and with options.report
// a report of each layer (NAME_report.png, or NAME_SCR0_report.png and
// NAME_SCR1_report.png). Nothing but the reports is written when it fails
// (reason recorded).
bool convert_level_map(const ConvertJob& job, const PictureOptions& options,
                       LevelMapSummary& summary);

}  // namespace tw
