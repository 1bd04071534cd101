#pragma once
// The palette stage of `map` and `sprites`: each unit (an 8 x 8 cell or a
// sprite) gets a palette bank, each pixel a colour number in it, by one of the
// rules of PaletteRule.

#include <cstdint>
#include <string>
#include <vector>

#include "common/text.h"
#include "palettes/picture_colours.h"
#include "palettes/picture_options.h"
#include "picture/picture.h"

namespace tw {

// A picture cut into units, numbered in rows from the top, each row left to right.
struct UnitGrid {
    uint32_t unit_width = 8, unit_height = 8;
    uint32_t across = 0, down = 0;
    uint32_t count() const { return across * down; }
    uint32_t x_of(uint32_t unit) const { return unit % across * unit_width; }
    uint32_t y_of(uint32_t unit) const { return unit / across * unit_height; }
};
UnitGrid unit_grid(uint32_t width, uint32_t height, uint32_t unit_width, uint32_t unit_height);

// One picture after its rule.
struct UnitBanks {
    UnitGrid grid;
    uint32_t width = 0, height = 0;  // of `numbers`: the picture padded to whole units
    std::vector<uint8_t> bank;       // a unit; 0 for a unit without opaque pixels
    std::vector<uint8_t> drawn;      // a unit: 1 when it has an opaque pixel
    std::vector<uint8_t> failing;    // a unit: 1 when the rule refused it
    std::vector<uint8_t> numbers;    // a pixel: its colour number 0-15 in the unit's bank
    bool reduced = false;            // the colours were reduced to fit (`--reduce`)
};

// The banks of a set of pictures.
struct BankPalette {
    uint16_t colours[256] = {};  // the COL body: bank b is entries 16b to 16b + 15
    uint16_t used = 0;           // bit b: some unit uses bank b
    uint32_t count = 0;          // GENERATE: banks arranged
    bool fewest = false;         // GENERATE: count is proven the fewest
    uint32_t lower_bound = 0;    // GENERATE
};

// What the stage needs to know of the pictures it serves. `names` are shown
// before a refusal when several pictures share the banks (empty otherwise).
struct UnitInputs {
    std::vector<const Picture*> pictures;
    std::vector<std::string> names;
    const Text* noun = nullptr;  // "cell" or "sprite"
    uint32_t unit_width = 8, unit_height = 8;
    // Not 0 for each picture that is a level's layer as Tiled draws it: its
    // transparency is its own, never a colour taken from its top-left pixel.
    std::vector<uint8_t> levels;
};

// GENERATE: each unit's opaque colours (at most 15) packed into the fewest
// banks. Banks are numbered by their first unit in reading order (picture
// after picture); a unit takes the lowest bank holding its colours; within a
// bank colours go darkest first by integer luma of the colour as extraction
// widens it, ties by the target value, except that when every picture is
// indexed they keep the order of the pictures' palettes; entry 0 is the key
// and unused entries are 0. False with the reason recorded (units of more than
// 15 colours, or more than 16 banks); `out` still marks the failing units.
bool arrange_banks(const UnitInputs& in, const TransparentKey& key, uint64_t effort,
                   std::vector<UnitBanks>& out, BankPalette& palette);

// FILE: each unit takes the lowest bank of `colours` whose entries 1-15 hold
// all its colours; entry 0 of every bank becomes the key. A unit that fits none
// is refused, naming its missing colours as the picture has them (#RRGGBB).
bool banks_from_palette(const UnitInputs& in, const TransparentKey& key,
                        const uint16_t (&colours)[256], std::vector<UnitBanks>& out,
                        BankPalette& palette);

// KEEP on an indexed picture: index = bank * 16 + colour number, colour number
// 0 transparent, the palette converted as a palette entry converts. A unit
// whose drawn pixels come from several banks is refused (the first one named).
bool keep_banks(const Picture& picture, const Text& noun, uint32_t unit_width, uint32_t unit_height,
                UnitBanks& out, BankPalette& palette);

}  // namespace tw
