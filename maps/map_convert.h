#pragma once
// A picture to a palette, de-duplicated character sets and a BG screen.

#include "convert/convert_job.h"
#include "image/image_outputs.h"
#include "maps/tile_map.h"

namespace tw {

// Reads job.path (an indexed BMP or PNG, all 8 bits of each index kept) and
// writes NAME_COL.ptc, NAME_CHR.ptc (NAME_CHR0.ptc... past 256 tiles) and
// NAME_SCR.ptc into job.out_dir. Nothing is written when the picture fails; a
// write that fails still lets the other files be written, then reports
// failure. `map` keeps what was built, for the summary.
bool convert_map(ConvertJob job, bool flips, TileMap& map);

// The outputs every map writes: the tiles as "%s%s_CHR.ptc" (NAME_CHR0.ptc...
// past 256 tiles), and a screen as "%s%s_SCR.ptc". A failed write still lets
// the other parts be written, then reports failure.
bool write_chr_parts(ImageOutputs& out, const std::vector<PackedTile>& tiles);
bool write_screen(ImageOutputs& out, const ScreenCells& cells);
// Screen `part` of `parts`: "%s%s_SCR.ptc" alone, "%s%s_SCR<part>.ptc" of several.
bool write_screen_part(ImageOutputs& out, const ScreenCells& cells, uint32_t parts, uint32_t part);

}  // namespace tw
