#include "maps/picture_map.h"

#include <bit>
#include <memory>
#include <string>

#include "common/failure.h"
#include "image/image_outputs.h"
#include "image/resource_kinds.h"
#include "maps/level_map.h"
#include "maps/map_convert.h"
#include "maps/report_picture.h"
#include "palettes/palette_rules.h"
#include "resources/texts.h"

namespace tw {
namespace {

PictureOptions cell_options(const PictureOptions& options) {
    PictureOptions o = options;
    o.unit_width = o.unit_height = 8;
    return o;
}

// KEEP on one picture: exactly the conversion of convert_map.
bool keep_map(const ConvertJob& job, const Picture* picture, const PictureOptions& options,
              PictureSummary& summary) {
    TileMap map;
    bool ok = convert_map(job, options.flips, map);
    summary.rule = PaletteRule::KEEP;
    summary.key_source = KeySource::INDEX_0;
    summary.width = summary.padded_width = map.width;
    summary.height = summary.padded_height = map.height;
    summary.tiles = map.tiles.size();
    summary.flipped_cells = map.flipped_cells;
    summary.banks_used = map.banks_used;
    summary.bank_count = static_cast<uint32_t>(std::popcount(map.banks_used));
    if (!options.report || picture == nullptr) return ok;

    const SavedFailure reason = save_failure();
    UnitBanks units;
    BankPalette palette;
    keep_banks(*picture, kUnitCell, 8, 8, units, palette);
    // A failure recorded before stays the reason shown, unless the report cannot be written.
    const bool reported = write_part_report(job, 1, 0, render_report(*picture, units, palette),
                                            options.report_encoder, summary.report_path);
    if (!ok && reported) restore_failure(reason);
    return ok && reported;
}

bool too_large(const Picture& p, const std::string& name) {
    if (padded_side(p.width, 8) <= kMapMaxPixels && padded_side(p.height, 8) <= kMapMaxPixels)
        return false;
    if (name.empty())
        set_failure(kReasonPictureTooLarge, p.width, p.height);
    else {
        char text[200];
        format_text(text, sizeof text, kReasonPictureTooLarge, p.width, p.height);
        set_failure(kReasonInPicture, name.c_str(), text);
    }
    return true;
}

}  // namespace

bool map_pictures(const std::vector<const Picture*>& pictures,
                  const std::vector<std::string>& names, const PictureOptions& options,
                  MapScreens& out, const std::vector<uint8_t>& levels) {
    out = MapScreens{};
    for (size_t p = 0; p < pictures.size(); ++p)
        if (too_large(*pictures[p], names.empty() ? std::string() : names[p])) return false;
    const UnitInputs in{pictures, names, &kUnitCell, 8, 8, levels};
    if (!assign_banks(in, cell_options(options), out.units, out.palette, out.summaries))
        return false;

    TileSet set(options.flips);
    for (size_t p = 0; p < pictures.size(); ++p) {
        const UnitBanks& u = out.units[p];
        auto screen = std::make_unique<TileMap>();
        screen->width = pictures[p]->width;
        screen->height = pictures[p]->height;
        for (uint32_t k = 0; k < u.grid.count(); ++k) {
            if (!u.drawn[k]) continue;  // blank: cell value 0
            uint8_t colours[64];
            const uint32_t x0 = u.grid.x_of(k), y0 = u.grid.y_of(k);
            for (uint32_t r = 0; r < 8; ++r)
                for (uint32_t c = 0; c < 8; ++c)
                    colours[8 * r + c] = u.numbers[size_t{y0 + r} * u.width + x0 + c];
            const uint32_t value = set.place(colours, screen->flipped_cells);
            screen->cells[y0 / 8][x0 / 8] =
                static_cast<int32_t>((value & 0xFFF) | uint32_t{u.bank[k]} << kCellPaletteShift);
            screen->banks_used = static_cast<uint16_t>(screen->banks_used | 1u << u.bank[k]);
        }
        out.summaries[p].flipped_cells = screen->flipped_cells;
        out.screens.push_back(std::move(screen));
    }
    out.tiles = set.take_tiles();
    for (PictureSummary& s : out.summaries) s.tiles = out.tiles.size();
    if (out.tiles.size() > kMapMaxTiles) {
        set_failure(kReasonMapTooManyTiles, static_cast<unsigned>(out.tiles.size()));
        return false;
    }
    return true;
}

bool convert_picture_map(const ConvertJob& job, const PictureOptions& options,
                         PictureSummary& summary) {
    summary = PictureSummary{};
    if (options.palette == PaletteRule::KEEP && !options.report)
        return keep_map(job, nullptr, options, summary);
    Picture picture;
    if (!read_picture_file(job.path, picture)) return false;
    if (decide_rule(picture, cell_options(options), kUnitCell, summary) == PaletteRule::KEEP) {
        const RuleReason reason = summary.reason;
        const bool ok = keep_map(job, &picture, options, summary);
        summary.reason = reason;
        return ok;
    }

    std::vector<MapSource> sources(1);
    sources[0].job = job;
    sources[0].pictures.push_back(std::move(picture));
    std::vector<PictureSummary> summaries;
    const bool ok = write_map_set(job, sources, options, summaries);
    if (!summaries.empty()) summary = summaries[0];
    return ok;
}

bool write_map_set(const ConvertJob& set_job, const std::vector<MapSource>& sources,
                   const PictureOptions& options, std::vector<PictureSummary>& summaries) {
    summaries.clear();
    std::vector<const Picture*> pointers;
    std::vector<std::string> names;
    std::vector<size_t> source_of;
    std::vector<uint8_t> levels;
    for (size_t k = 0; k < sources.size(); ++k) {
        const MapSource& src = sources[k];
        for (size_t i = 0; i < src.pictures.size(); ++i) {
            pointers.push_back(&src.pictures[i]);
            levels.push_back(src.level ? 1 : 0);
            names.push_back(i < src.names.size() ? src.names[i] : std::string(src.job.name));
            source_of.push_back(k);
        }
    }
    if (pointers.size() == 1) names.clear();
    MapScreens m;
    bool ok = map_pictures(pointers, names, options, m, levels);
    // One summary for each source, its pictures' merged.
    for (size_t p = 0; p < m.summaries.size(); ++p) {
        if (p == 0 || source_of[p] != source_of[p - 1]) {
            summaries.push_back(m.summaries[p]);
            continue;
        }
        PictureSummary& s = summaries.back();
        s.banks_used = static_cast<uint16_t>(s.banks_used | m.summaries[p].banks_used);
        s.flipped_cells += m.summaries[p].flipped_cells;
        s.key_pixels += m.summaries[p].key_pixels;
        s.near_key_pixels += m.summaries[p].near_key_pixels;
        s.hidden_by_keep += m.summaries[p].hidden_by_keep;
    }
    if (ok) {
        ImageOutputs out(set_job, kChrKind.tag());
        ok = out.write_col(m.palette.colours);
        ok = write_chr_parts(out, m.tiles) && ok;
        size_t p = 0;
        for (const MapSource& src : sources) {
            ImageOutputs screens(src.job, kScrKind.tag());
            const auto parts = static_cast<uint32_t>(src.pictures.size());
            for (uint32_t i = 0; i < parts; ++i, ++p)
                ok = write_screen_part(screens, m.screens[p]->cells, parts, i) && ok;
        }
    }
    const SavedFailure reason = save_failure();
    bool reported = true;
    if (options.report && m.units.size() == pointers.size()) {
        size_t p = 0;
        for (size_t k = 0; k < sources.size(); ++k) {
            const MapSource& src = sources[k];
            const auto parts = static_cast<uint32_t>(src.pictures.size());
            std::string unkept;
            std::string& paths = k < summaries.size() ? summaries[k].report_path : unkept;
            for (uint32_t i = 0; i < parts; ++i, ++p)
                reported = write_part_report(src.job, parts, i,
                                             render_report(*pointers[p], m.units[p], m.palette),
                                             options.report_encoder, paths) &&
                           reported;
        }
    }
    if (!ok && reported) restore_failure(reason);
    return ok && reported;
}

bool convert_shared_maps(const ConvertJob& set_job, const std::vector<ConvertJob>& jobs,
                         const PictureOptions& options, std::vector<PictureSummary>& summaries,
                         std::vector<LevelMapSummary>* levels) {
    summaries.clear();
    if (levels) levels->assign(jobs.size(), LevelMapSummary{});
    std::vector<MapSource> sources(jobs.size());
    for (size_t p = 0; p < jobs.size(); ++p) {
        MapSource& src = sources[p];
        src.job = jobs[p];
        bool ok = false;
        if (is_level_path(jobs[p].path)) {
            auto level = std::make_unique<Level>();
            LevelMapSummary ignored;
            ok = read_level_source(jobs[p].path, jobs[p].name, *level, src,
                                   levels ? (*levels)[p] : ignored);
        } else {
            ok = read_picture_file(jobs[p].path, src.pictures.emplace_back());
            src.names.emplace_back(jobs[p].name);
        }
        if (!ok) {
            const SavedFailure reason = save_failure();
            record_failure(reason.reason, false, kReasonInPicture.get(), jobs[p].name,
                           reason.text.c_str());
            return false;
        }
    }
    return write_map_set(set_job, sources, options, summaries);
}

}  // namespace tw
