// tilewright tiled -o DIR [--lower] FILE...: BG screens as a Tiled level.

#include <memory>
#include <string>
#include <vector>

#include "cli/cli_options.h"
#include "cli/commands.h"
#include "cli/option_parser.h"
#include "common/failure.h"
#include "image/resource_kinds.h"
#include "maps/screen_sources.h"
#include "maps/tiled_export.h"
#include "platform/console.h"
#include "platform/files.h"
#include "platform/native_text.h"
#include "platform/paths.h"
#include "resources/texts.h"

namespace tw::cli {
namespace {

int usage_error(const std::string& message) {
    return cli::usage_error(program_name(command_named("tiled")), message);
}

// The folder with its separator, so that file names can follow it.
std::string folder_prefix(const std::string& dir) {
    if (dir.empty() || dir.back() == '/' || dir.back() == '\\') return dir;
#ifdef _WIN32
    return dir + '\\';
#else
    return dir + '/';
#endif
}

// The level's name: the file's, less the "_SCR" or "_SCR0" to "_SCR3" that map
// gives screens, so that a level read back writes the names it came from.
std::string level_name(const std::string& file_name) {
    const std::string tail = std::string("_") + kScrKind.tag();
    for (size_t digits = 0; digits <= 1; ++digits) {
        if (file_name.size() <= tail.size() + digits) continue;
        const size_t at = file_name.size() - tail.size() - digits;
        const bool digit_ok = digits == 0 || (file_name.back() >= '0' && file_name.back() <= '3');
        if (digit_ok && file_name.compare(at, tail.size(), tail) == 0)
            return file_name.substr(0, at);
    }
    return file_name;
}

}  // namespace

int run_tiled(int argc, char** argv) {
    const Command& me = command_named("tiled");
    ParsedArgs args = parse_args(me, argc, argv);
    std::string out_dir;
    bool lower = false;
    for (const GivenOption& option : args.options) {
        if (int status = common_option(me, option); status >= 0) return status;
        if (option.row->id == OPT_OUTPUT) {
            if (option.value.empty()) return usage_error(kTiledNeedsFolder.get());
            out_dir = option.value;
        } else if (option.row->id == OPT_LOWER) {
            lower = true;
        }
    }
    const std::vector<std::string>& files = args.operands;
    if (out_dir.empty()) return usage_error(kTiledNeedsFolder.get());
    if (files.empty()) return usage_error(kTiledNoFiles.get());
    if (!is_directory(out_dir.c_str()) && !make_directory(out_dir.c_str())) {
        console_write(CONSOLE_ERR, say(kMapNoFolder.get(), "tilewright tiled",
                                       native_to_utf8(out_dir.c_str()).c_str()));
        return 1;
    }

    clear_failure();
    PathParts parts;
    const bool named = split_path(files[0].c_str(), parts);
    const std::string name = level_name(parts.name);
    const std::string shown = native_to_utf8((folder_prefix(out_dir) + name + ".tmx").c_str());
    TiledExportSummary summary;
    std::vector<ScreenSources> screens;
    const bool ok = named && guard_memory([&] {
                        return load_screen_layers(files, lower, screens) &&
                               export_tiled(screens, folder_prefix(out_dir), name, summary);
                    });
    if (!ok) {
        if (!named) set_failure(kReasonPathTooLong, files[0].c_str());
        set_failure_if_none(kReasonFailed);
        console_write(CONSOLE_OUT, say(kTiledFailed.get(), shown.c_str(), last_failure()));
        return 1;
    }
    console_write(CONSOLE_OUT,
                  say(kTiledSucceeded.get(), shown.c_str(), summary.layers, summary.tilesets));
    return 0;
}

}  // namespace tw::cli
