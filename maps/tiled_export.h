#pragma once
// `tiled`: BG screens written as a Tiled level that `map` reads back to the
// same bytes.
//
// NAME.tmx is a 64 x 64 map of 8 x 8 tiles, one layer per screen (the first
// at the bottom), with one tileset per palette bank that a cell uses:
// NAME_P<bank>.tsx and NAME_P<bank>.png, all 1024 characters in 32 columns.
// Each picture carries the whole COL as its palette and draws a character of
// bank b with indices b * 16 + colour, so every tileset shares one palette and
// the level reads as an indexed picture; colour 0 is the tileset's `trans`.
// The map's properties (maps/level_map.h) carry the COL and the number of CHR
// banks.

#include <cstdint>
#include <string>
#include <vector>

#include "maps/screen_render.h"

namespace tw {

struct TiledExportSummary {
    uint32_t layers = 0;
    uint32_t tilesets = 0;
};

// Writes NAME.tmx and its tilesets into dir (which ends in its separator or is
// empty). The screens share the first one's banks and colours. False with the
// reason recorded.
bool export_tiled(const std::vector<ScreenSources>& screens, const std::string& dir,
                  const std::string& name, TiledExportSummary& summary);

}  // namespace tw
