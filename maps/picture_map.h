#pragma once
// `map`: any picture to a palette, de-duplicated character sets and a BG
// screen, its palette banks kept, arranged or taken from a file; and sets of
// pictures that share one palette and one tile set, a screen for each.

#include <memory>
#include <string>
#include <vector>

#include "convert/convert_job.h"
#include "maps/tile_map.h"
#include "palettes/picture_options.h"
#include "palettes/unit_banks.h"
#include "picture/picture.h"

namespace tw {

inline constexpr uint32_t kMapMaxPixels = 512;

// Pictures mapped in memory, before anything is written.
struct MapScreens {
    BankPalette palette;
    std::vector<PackedTile> tiles;                  // over all screens; tile 0 is the blank tile
    std::vector<std::unique_ptr<TileMap>> screens;  // each picture's cells (their tiles above)
    std::vector<UnitBanks> units;                   // each picture's banks, for the report
    std::vector<PictureSummary> summaries;
};

// Maps the pictures as one set (one picture alone is a set of one) with
// options.unit 8 x 8. `names` are shown in refusals when there are several;
// `levels` marks the pictures that are a level's layers (UnitInputs::levels).
// False with the reason recorded; `out.units` still serves the reports when
// the palette stage ran.
bool map_pictures(const std::vector<const Picture*>& pictures,
                  const std::vector<std::string>& names, const PictureOptions& options,
                  MapScreens& out, const std::vector<uint8_t>& levels = {});

// Reads job.path and writes NAME_COL.ptc, NAME_CHR.ptc (NAME_CHR0.ptc... past
// 256 tiles) and NAME_SCR.ptc into job.out_dir; with options.report also
// NAME_report.png, whether the conversion succeeds or not. Nothing else is
// written when it fails. KEEP converts exactly as convert_map does.
bool convert_picture_map(const ConvertJob& job, const PictureOptions& options,
                         PictureSummary& summary);

// One input of a set: a picture, or a level's layers bottom first, and the job
// that names its screens: NAME_SCR.ptc for one picture, NAME_SCR0.ptc and
// NAME_SCR1.ptc for two.
struct MapSource {
    ConvertJob job;
    std::vector<Picture> pictures;
    std::vector<std::string> names;  // shown in refusals
    bool level = false;              // the pictures are a level's layers
};

// The sources' pictures mapped as one set: set_job's out_dir and name give
// NAME_COL.ptc and NAME_CHR*.ptc (1024 tiles over all), each source its screens
// in its own out_dir and, with options.report, a report of each picture
// (NAME_report.png, or NAME_SCR0_report.png...). `summaries` gets one for each
// source, its pictures' merged. Nothing but the reports is written when any
// picture fails.
bool write_map_set(const ConvertJob& set_job, const std::vector<MapSource>& sources,
                   const PictureOptions& options, std::vector<PictureSummary>& summaries);

// The pictures and levels of `jobs` as one set (see write_map_set); levels,
// when given, gets for each job what a level adds (layers 0 for a picture).
bool convert_shared_maps(const ConvertJob& set_job, const std::vector<ConvertJob>& jobs,
                         const PictureOptions& options, std::vector<PictureSummary>& summaries,
                         std::vector<LevelMapSummary>* levels = nullptr);

}  // namespace tw
