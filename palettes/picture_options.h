#pragma once
// What `map` and `sprites` are asked to do with a picture, and what they tell
// about it afterwards (the summary line and the report).

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "palettes/palette_pack.h"
#include "picture/picture.h"

namespace tw {

// How each cell or sprite finds its palette bank.
enum class PaletteRule {
    AUTO,      // KEEP when the picture is indexed and every unit keeps to one bank, else GENERATE
    KEEP,      // index = bank * 16 + colour, as indexed pictures always converted
    GENERATE,  // banks arranged from the picture's colours
    FILE,      // the banks of a given palette (a COL PTC file or an indexed picture)
};

// Which colour is transparent besides pixels whose alpha is below 128.
enum class TransparentRule {
    AUTO,    // the top-left pixel's colour when no pixel is transparent by alpha
    NONE,    // every colour opaque
    COLOUR,  // the colour given
};

// Encodes an RGBA picture as PNG bytes; false when the codec failed.
using ReportEncoder = std::function<bool(const Picture&, std::vector<uint8_t>&)>;

struct PictureOptions {
    PaletteRule palette = PaletteRule::AUTO;
    std::string palette_file;  // with PaletteRule::FILE
    TransparentRule transparent = TransparentRule::AUTO;
    Rgba transparent_colour{0, 0, 0, 255};  // with TransparentRule::COLOUR
    bool flips = true;                      // map: find mirrored tiles
    uint64_t pack_effort = kDefaultPackEffort;
    // The unit the picture is cut in: 8 x 8 for a map, the sprite size for sprites.
    uint32_t unit_width = 8;
    uint32_t unit_height = 8;
    // With report_encoder set, NAME_report.png is written beside the outputs,
    // whether the conversion succeeds or not.
    bool report = false;
    ReportEncoder report_encoder;
    // When the exact rules refuse a picture for its colours, reduce them to fit
    // (not with KEEP); dither ordered while reducing.
    bool reduce = false;
    bool dither = false;
};

// Why the rule applied was chosen.
enum class RuleReason {
    ASKED,            // the options named it
    ONE_BANK_UNITS,   // AUTO: indexed, and every unit keeps to one bank
    NOT_INDEXED,      // AUTO: the picture has no palette of its own
    MIXED_UNIT,       // AUTO: the unit at mixed_x, mixed_y uses colours of several banks
    NOT_WHOLE_UNITS,  // AUTO: indexed, but its size is not whole units, so it is padded
    PALETTES_DIFFER,  // AUTO, pictures sharing banks: their palettes are not the same
    OPAQUE_COLOUR_0,  // AUTO, a level: the pixel at mixed_x, mixed_y is opaque but has
                      // colour number 0, which the handheld draws transparent
};

// Where the colour of entry 0 of every bank came from.
enum class KeySource {
    ALPHA,     // pixels are transparent by alpha; entry 0 is 0
    TOP_LEFT,  // the top-left pixel's colour
    GIVEN,     // TransparentRule::COLOUR
    NONE,      // TransparentRule::NONE; entry 0 is 0
    INDEX_0,   // KEEP: colour number 0 is transparent, entry 0 as the palette has it
};

// What one picture became.
struct PictureSummary {
    PaletteRule rule = PaletteRule::GENERATE;  // never AUTO once decided
    RuleReason reason = RuleReason::ASKED;
    // MIXED_UNIT: the unit's top-left pixel; OPAQUE_COLOUR_0: the pixel.
    uint32_t mixed_x = 0, mixed_y = 0;
    uint32_t width = 0, height = 0;                // as read
    uint32_t padded_width = 0, padded_height = 0;  // equal to width and height when not padded
    KeySource key_source = KeySource::INDEX_0;
    uint16_t key = 0;  // entry 0 of every bank (not with KEEP)
    // With `--transparent RRGGBB`: the pixels of exactly that colour, and the
    // opaque ones of another colour that the target draws alike (they stay opaque).
    uint32_t key_pixels = 0;
    uint32_t near_key_pixels = 0;
    // KEEP asked for a level: its opaque pixels that colour number 0 makes transparent.
    uint32_t hidden_by_keep = 0;
    // Banks: GENERATE says how many it arranged and whether that is the fewest
    // (else at least lower_bound); KEEP and FILE use the banks they were given.
    uint16_t banks_used = 0;  // bit b: some unit uses bank b
    uint32_t bank_count = 0;
    bool fewest = false;
    uint32_t lower_bound = 0;
    // map: distinct tiles (the blank one included) and cells that use a flip.
    size_t tiles = 0;
    uint32_t flipped_cells = 0;
    uint32_t sprites = 0;     // sprites: how many the sheet was cut into
    std::string report_path;  // set when the report was written
    // With `--reduce`, when the colours were reduced: PSNR in dB of the result
    // over the opaque pixels, and its largest Oklab distance from the original.
    bool reduced = false;
    double psnr = 0;
    double max_error = 0;
    bool padded() const { return padded_width != width || padded_height != height; }
};

// What `map` of a Tiled level adds to its summary.
struct LevelMapSummary {
    PictureSummary picture;  // of the pipeline; rule KEEP when read back by character
    bool by_character = false;
    uint32_t layers = 0;  // 0: not a level
    // What the level holds but the screens do not show.
    uint32_t hidden_tile_layers = 0;
    uint32_t object_layers = 0;
    uint32_t image_layers = 0;
    std::vector<std::string> faded_layers;
};

}  // namespace tw
