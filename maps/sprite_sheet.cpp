#include "maps/sprite_sheet.h"

#include <string>

#include "common/failure.h"
#include "image/data_text.h"
#include "image/image_outputs.h"
#include "maps/map_convert.h"
#include "maps/report_picture.h"
#include "palettes/palette_rules.h"
#include "resources/texts.h"

namespace tw {

bool build_sprite_sheet(const Picture& picture, const PictureOptions& options, SpriteSheet& sheet) {
    sheet = SpriteSheet{};
    const uint32_t uw = options.unit_width, uh = options.unit_height;
    if (uw == 0 || uh == 0 || uw % 8 != 0 || uh % 8 != 0) return false;
    const uint32_t width = padded_side(picture.width, uw), height = padded_side(picture.height, uh);
    const uint64_t tiles = uint64_t{width} * height / 64;
    if (tiles > kSheetMaxTiles) {
        set_failure(kReasonSheetTooLarge, picture.width, picture.height, uw, uh,
                    static_cast<unsigned>(tiles));
        return false;
    }
    const UnitInputs in{{&picture}, {}, &kUnitSprite, uw, uh, {}};
    std::vector<UnitBanks> units;
    std::vector<PictureSummary> summaries;
    const bool ok = assign_banks(in, options, units, sheet.palette, summaries);
    if (!summaries.empty()) sheet.summary = summaries[0];
    if (!units.empty()) sheet.units = std::move(units[0]);
    if (!ok) return false;

    const UnitBanks& u = sheet.units;
    sheet.summary.sprites = u.grid.count();
    sheet.palettes = u.bank;
    for (uint32_t k = 0; k < u.grid.count(); ++k)
        for (uint32_t ty = 0; ty < uh; ty += 8)
            for (uint32_t tx = 0; tx < uw; tx += 8) {
                uint8_t colours[64];
                for (uint32_t r = 0; r < 8; ++r)
                    for (uint32_t c = 0; c < 8; ++c)
                        colours[8 * r + c] = u.numbers[size_t{u.grid.y_of(k) + ty + r} * u.width +
                                                       u.grid.x_of(k) + tx + c];
                sheet.tiles.push_back(pack_tile(colours, false, false));
            }
    sheet.summary.tiles = sheet.tiles.size();
    return true;
}

bool convert_sprites(const ConvertJob& job, const PictureOptions& options,
                     PictureSummary& summary) {
    summary = PictureSummary{};
    Picture picture;
    if (!read_picture_file(job.path, picture)) return false;
    SpriteSheet sheet;
    bool ok = build_sprite_sheet(picture, options, sheet);
    summary = sheet.summary;
    if (ok) {
        ImageOutputs out(job, "CHR");
        if (out.open_text("%s%s_PAL_DATA.txt")) {
            write_sprite_palette_data(out.text(), sheet.palettes);
            ok = out.write_col(sheet.palette.colours);
            ok = write_chr_parts(out, sheet.tiles) && ok;
            ok = out.finish() && ok;
        } else {
            ok = false;
        }
    }
    if (!options.report || sheet.units.grid.count() == 0) return ok;
    const SavedFailure reason = save_failure();
    const Picture report = render_report(picture, sheet.units, sheet.palette);
    const bool reported = write_report(job, report, options.report_encoder, summary.report_path);
    if (!ok && reported) restore_failure(reason);
    return ok && reported;
}

}  // namespace tw
