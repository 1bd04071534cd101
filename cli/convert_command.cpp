#include <string>
#include <string_view>
#include <vector>

#include "app/settings.h"
#include "cli/cli_options.h"
#include "cli/commands.h"
#include "cli/console_interaction.h"
#include "common/failure.h"
#include "convert/batch.h"
#include "convert/resource_types.h"
#include "platform/console.h"
#include "platform/md5.h"
#include "platform/native_text.h"
#include "platform/png.h"
#include "resources/texts.h"

namespace tw::cli {
namespace {

int usage_error(const std::string& message) {
    return cli::usage_error("tilewright", message);
}

}  // namespace

int run_convert(int argc, char** argv) {
    load_settings();
    reset_runtime_values();
    std::vector<std::string> files;
    std::optional<bool> palette_fix;
    bool options_done = false;
    for (int i = 1; i < argc; ++i) {
        std::string_view arg = argv[i];
        if (options_done || arg.empty() || arg[0] != '-' || arg == "-") {
            files.emplace_back(arg);
            continue;
        }
        if (arg == "--") {
            options_done = true;
            continue;
        }
        if (arg == "-h" || arg == "--help") {
            console_write(CONSOLE_OUT, kCliConvertUsage.get());
            return 0;
        }
        if (arg == "--version") {
            console_write(CONSOLE_OUT,
                          say(kCliVersion.get(), kVersion, md5_backend_name(), png_codec_name()));
            return 0;
        }
        std::string value;
        bool missing = false;
        if (take_value(argc, argv, i, arg, "-t", "--type", value, missing)) {
            if (missing) return usage_error(say(kCliNeedsType.get(), std::string(arg).c_str()));
            const ResourceType* type = resource_type_by_name(value);
            if (type == nullptr) return usage_error(say(kCliUnknownType.get(), value.c_str()));
            g_runtime.resource_type = type->menu_id;
            if (type->unit_width != 0) {
                g_runtime.sprite_width = type->unit_width;
                g_runtime.sprite_height = type->unit_height;
            }
        } else if (take_value(argc, argv, i, arg, "-s", "--set", value, missing)) {
            if (missing) return usage_error(say(kCliNeedsSetting.get(), std::string(arg).c_str()));
            std::string error = apply_setting(value);
            if (!error.empty()) return usage_error(error);
        } else if (take_value(argc, argv, i, arg, "", "--palette-fix", value, missing)) {
            if (missing || (value != "yes" && value != "no"))
                return usage_error(kCliPaletteFixValue.get());
            palette_fix = value == "yes";
        } else {
            return usage_error(say(kCliUnknownOption.get(), std::string(arg).c_str()));
        }
    }
    if (files.empty()) return usage_error(kCliNoFiles.get());

    ConsoleInteraction console(palette_fix);
    set_interaction(&console);
    const bool several = files.size() > 1;
    console.batch_progress(0, files.size());
    BatchCounts counts = convert_batch(files, [&](size_t index, const std::string& path, bool ok) {
        console.end_progress();
        std::string shown = native_to_utf8(path.c_str());
        if (!ok)
            console_write(CONSOLE_OUT, say(kCliFailed.get(), shown.c_str(), last_failure()));
        else if (several)
            console_write(CONSOLE_OUT, say(kCliSucceeded.get(), shown.c_str()));
        if (index + 1 < files.size()) console.batch_progress(index + 1, files.size());
    });
    set_interaction(nullptr);
    return counts.failed == 0 ? 0 : 1;
}

}  // namespace tw::cli
