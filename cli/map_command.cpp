// tilewright map [-o DIR] [--no-flip] [--palette-fix yes|no] [-s KEY=VALUE]... IMAGE...
// Pictures to a palette, de-duplicated tiles and a BG screen.

#include <string>
#include <vector>

#include "app/settings.h"
#include "cli/cli_options.h"
#include "cli/commands.h"
#include "cli/console_interaction.h"
#include "cli/option_parser.h"
#include "common/failure.h"
#include "common/fixed_text.h"
#include "convert/convert_job.h"
#include "maps/map_convert.h"
#include "platform/console.h"
#include "platform/files.h"
#include "platform/native_text.h"
#include "resources/texts.h"

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

// The job of one image, its outputs in the settings' folder or in out_dir.
bool job_for(const std::string& path, const std::string& out_dir, ConvertJob& job) {
    job = make_convert_job(path.c_str(), out_dir.empty() && g_settings.Create == 1);
    if (job.kind == KIND_NO_OUTPUT_DIR) {
        set_failure(kReasonFolder, path.c_str());
        return false;
    }
    if (out_dir.empty()) return true;
    const char last = out_dir.back();
    const bool separated = last == '/' || last == '\\';
    if (!format_text(job.out_dir, sizeof job.out_dir, "%s%s", out_dir.c_str(),
                     separated ? "" : "/")) {
        set_failure(kReasonPathTooLong, out_dir.c_str());
        return false;
    }
    return true;
}

}  // namespace

int run_map(int argc, char** argv) {
    load_settings();
    reset_runtime_values();
    const Command& me = command_named("map");
    ParsedArgs args = parse_args(me, argc, argv);
    std::optional<bool> palette_fix;
    std::string out_dir;
    bool flips = true;
    for (const GivenOption& option : args.options) {
        if (int status = common_option(me, option); status >= 0) return status;
        if (option.row->id == OPT_NO_FLIP) {
            flips = false;
        } else if (option.row->id == OPT_OUTPUT) {
            if (option.value.empty()) return usage_error(kMapNeedsFolder.get());
            out_dir = option.value;
        } else if (option.row->id == OPT_SET) {
            std::string error = apply_setting(option.value);
            if (!error.empty()) return usage_error(error);
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
    int failed = 0;
    for (const std::string& path : files) {
        clear_failure();
        ConvertJob job;
        TileMap map;
        const bool ok = job_for(path, out_dir, job) &&
                        guard_memory([&] { return convert_map(job, flips, map); });
        const std::string shown = native_to_utf8(path.c_str());
        if (!ok) {
            set_failure_if_none(kReasonFailed);
            console_write(CONSOLE_OUT, say(kCliFailed.get(), shown.c_str(), last_failure()));
            ++failed;
            continue;
        }
        console_write(CONSOLE_OUT, say(kMapSucceeded.get(), shown.c_str(), map.tiles.size(),
                                       map.flipped_cells, banks_text(map.banks_used).c_str()));
    }
    set_interaction(nullptr);
    return failed == 0 ? 0 : 1;
}

}  // namespace tw::cli
