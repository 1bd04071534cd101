// tilewright sprites -t WxH [options] SHEET...: sprite sheets to sprites, a
// sprite palette and the palette number of each sprite.

#include <string>
#include <vector>

#include "cli/cli_options.h"
#include "cli/commands.h"
#include "cli/console_interaction.h"
#include "cli/option_parser.h"
#include "cli/picture_command.h"
#include "common/failure.h"
#include "convert/resource_types.h"
#include "maps/sprite_sheet.h"
#include "platform/console.h"
#include "platform/files.h"
#include "platform/native_text.h"
#include "resources/texts.h"
#include "settings/settings.h"

namespace tw::cli {
namespace {

int usage_error(const std::string& message) {
    return cli::usage_error(program_name(command_named("sprites")), message);
}

}  // namespace

int run_sprites(int argc, char** argv) {
    load_settings();
    reset_runtime_values();
    const Command& me = command_named("sprites");
    ParsedArgs args = parse_args(me, argc, argv);
    std::optional<bool> palette_fix;
    std::string out_dir;
    PictureOptions options;
    options.unit_width = 0;
    for (const GivenOption& option : args.options) {
        if (int status = common_option(me, option); status >= 0) return status;
        std::string error;
        if (take_picture_option(option, options, error)) {
            if (!error.empty()) return usage_error(error);
        } else if (option.row->id == OPT_TYPE) {
            const ResourceType* type = resource_type_by_name(option.value);
            if (type == nullptr || !is_sprite_type(*type))
                return usage_error(kSpritesNeedsSize.get());
            options.unit_width = static_cast<uint32_t>(type->unit_width);
            options.unit_height = static_cast<uint32_t>(type->unit_height);
        } else if (option.row->id == OPT_OUTPUT) {
            if (option.value.empty()) return usage_error(kMapNeedsFolder.get());
            out_dir = option.value;
        } else if (option.row->id == OPT_PALETTE_FIX) {
            palette_fix = option.value == "yes";
        }
    }
    if (options.unit_width == 0) return usage_error(kSpritesNeedsSize.get());
    if (args.operands.empty()) return usage_error(kSpritesNoSheets.get());
    if (!out_dir.empty() && !is_directory(out_dir.c_str()) && !make_directory(out_dir.c_str())) {
        console_write(CONSOLE_ERR, say(kMapNoFolder.get(), "tilewright sprites",
                                       native_to_utf8(out_dir.c_str()).c_str()));
        return 1;
    }

    ConsoleInteraction console(palette_fix);
    set_interaction(&console);
    int failed = 0;
    for (const std::string& path : args.operands) {
        clear_failure();
        ConvertJob job;
        PictureSummary summary;
        const bool ok = picture_job(path, out_dir, job) &&
                        guard_memory([&] { return convert_sprites(job, options, summary); });
        const std::string shown = native_to_utf8(path.c_str());
        if (!ok) {
            set_failure_if_none(kReasonFailed);
            console_write(CONSOLE_OUT, say(kCliFailed.get(), shown.c_str(), last_failure()));
            ++failed;
            continue;
        }
        console_write(CONSOLE_OUT,
                      say(kSpritesSucceeded.get(), shown.c_str(), summary.sprites, summary.tiles) +
                          picture_summary_tail(summary, options) + "\n");
    }
    set_interaction(nullptr);
    return failed == 0 ? 0 : 1;
}

}  // namespace tw::cli
