// tilewright map [options] IMAGE|LEVEL...: pictures and Tiled levels to a palette, de-duplicated
// tiles and BG screens.

#include <string>
#include <vector>

#include "cli/cli_options.h"
#include "cli/commands.h"
#include "cli/console_interaction.h"
#include "cli/option_parser.h"
#include "cli/picture_command.h"
#include "common/failure.h"
#include "common/fixed_text.h"
#include "convert/convert_job.h"
#include "maps/level_map.h"
#include "maps/picture_map.h"
#include "platform/console.h"
#include "platform/files.h"
#include "platform/native_text.h"
#include "resources/texts.h"
#include "settings/settings.h"

namespace tw::cli {
namespace {

int usage_error(const std::string& message) {
    return cli::usage_error(program_name(command_named("map")), message);
}

std::string banks_text(uint16_t banks) {
    std::string text;
    for (unsigned b = 0; b < 16; ++b)
        if (banks & 1u << b) {
            if (!text.empty()) text += ',';
            text += std::to_string(b);
        }
    return text.empty() ? "-" : text;
}

// What a level's line adds: how it was read and what it holds that was not drawn.
std::string level_summary_tail(const LevelMapSummary& level) {
    std::string text = say(kLevelLayers.get(), level.layers);
    if (level.by_character) text += kLevelByCharacter.get();
    if (level.hidden_tile_layers) text += say(kLevelSkippedHidden.get(), level.hidden_tile_layers);
    if (level.object_layers) text += say(kLevelSkippedObjects.get(), level.object_layers);
    if (level.image_layers) text += say(kLevelSkippedImages.get(), level.image_layers);
    for (const std::string& name : level.faded_layers)
        text += say(kLevelNotFaded.get(), name.c_str());
    return text;
}

}  // namespace

int run_map(int argc, char** argv) {
    load_settings();
    reset_runtime_values();
    const Command& me = command_named("map");
    ParsedArgs args = parse_args(me, argc, argv);
    std::optional<bool> palette_fix;
    std::string out_dir, shared;
    bool is_shared = false;
    PictureOptions options;
    for (const GivenOption& option : args.options) {
        if (int status = common_option(me, option); status >= 0) return status;
        std::string error;
        if (take_picture_option(option, options, error)) {
            if (!error.empty()) return usage_error(error);
        } else if (option.row->id == OPT_NO_FLIP) {
            options.flips = false;
        } else if (option.row->id == OPT_OUTPUT) {
            if (option.value.empty()) return usage_error(kMapNeedsFolder.get());
            out_dir = option.value;
        } else if (option.row->id == OPT_SHARED) {
            if (option.value.empty()) return usage_error(kSharedNeedsName.get());
            shared = option.value;
            is_shared = true;
        } else if (option.row->id == OPT_SET) {
            std::string error_text = apply_setting(option.value);
            if (!error_text.empty()) return usage_error(error_text);
        } else if (option.row->id == OPT_PALETTE_FIX) {
            palette_fix = option.value == "yes";
        }
    }
    const std::vector<std::string>& files = args.operands;
    if (files.empty()) return usage_error(kMapNoImages.get());
    if (!out_dir.empty() && !is_directory(out_dir.c_str()) && !make_directory(out_dir.c_str())) {
        console_write(CONSOLE_ERR, say(kMapNoFolder.get(), "tilewright map",
                                       native_to_utf8(out_dir.c_str()).c_str()));
        return 1;
    }

    ConsoleInteraction console(palette_fix);
    set_interaction(&console);
    auto print = [&](const std::string& path, bool ok, const PictureSummary& summary,
                     const std::string& more) {
        const std::string shown = native_to_utf8(path.c_str());
        if (!ok) {
            set_failure_if_none(kReasonFailed);
            console_write(CONSOLE_OUT, say(kCliFailed.get(), shown.c_str(), last_failure()));
            return;
        }
        std::string line = say(kMapSucceeded.get(), shown.c_str(), summary.tiles,
                               summary.flipped_cells, banks_text(summary.banks_used).c_str());
        line.insert(line.size() - 1, picture_summary_tail(summary, options) + more);
        console_write(CONSOLE_OUT, line);
    };
    int failed = 0;
    if (is_shared) {
        clear_failure();
        std::vector<ConvertJob> jobs(files.size());
        bool ok = true;
        for (size_t i = 0; i < files.size() && ok; ++i)
            ok = picture_job(files[i], out_dir, jobs[i]);
        ConvertJob set_job = jobs[0];
        ok = ok && copy_text(set_job.name, sizeof set_job.name, shared);
        std::vector<PictureSummary> summaries;
        std::vector<LevelMapSummary> levels;
        ok = ok && guard_memory([&] {
                 return convert_shared_maps(set_job, jobs, options, summaries, &levels);
             });
        for (size_t i = 0; i < files.size(); ++i)
            print(files[i], ok, i < summaries.size() ? summaries[i] : PictureSummary{},
                  i < levels.size() && levels[i].layers ? level_summary_tail(levels[i]) : "");
        set_interaction(nullptr);
        return ok ? 0 : 1;
    }
    for (const std::string& path : files) {
        clear_failure();
        ConvertJob job;
        PictureSummary summary;
        if (is_level_path(path)) {
            LevelMapSummary level;
            const bool ok = picture_job(path, out_dir, job) &&
                            guard_memory([&] { return convert_level_map(job, options, level); });
            print(path, ok, level.picture, level_summary_tail(level));
            failed += ok ? 0 : 1;
            continue;
        }
        const bool ok = picture_job(path, out_dir, job) &&
                        guard_memory([&] { return convert_picture_map(job, options, summary); });
        print(path, ok, summary, {});
        failed += ok ? 0 : 1;
    }
    set_interaction(nullptr);
    return failed == 0 ? 0 : 1;
}

}  // namespace tw::cli
