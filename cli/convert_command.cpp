#include <string>
#include <string_view>
#include <vector>

#include "batch/batch.h"
#include "cli/cli_options.h"
#include "cli/commands.h"
#include "cli/console_interaction.h"
#include "cli/option_parser.h"
#include "common/failure.h"
#include "convert/resource_types.h"
#include "platform/console.h"
#include "platform/md5.h"
#include "platform/native_text.h"
#include "platform/png.h"
#include "resources/texts.h"
#include "settings/settings.h"

namespace tw::cli {

int run_convert(int argc, char** argv) {
    load_settings();
    reset_runtime_values();
    const Command& me = command_named("convert");
    auto usage_error = [&](const std::string& message) {
        return cli::usage_error(program_name(me), message);
    };
    ParsedArgs args = parse_args(me, argc, argv);
    std::optional<bool> palette_fix;
    for (const GivenOption& option : args.options) {
        if (int status = common_option(me, option); status >= 0) return status;
        if (option.row->id == OPT_VERSION) {
            console_write(CONSOLE_OUT,
                          say(kCliVersion.get(), kVersion, md5_backend_name(), png_codec_name()));
            return 0;
        } else if (option.row->id == OPT_TYPE) {
            const ResourceType* type = resource_type_by_name(option.value);
            g_runtime.resource_type = type->menu_id;  // the parser took only the table's names
            if (type->unit_width != 0) {
                g_runtime.sprite_width = type->unit_width;
                g_runtime.sprite_height = type->unit_height;
            }
        } else if (option.row->id == OPT_SET) {
            std::string error = apply_setting(option.value);
            if (!error.empty()) return usage_error(error);
        } else if (option.row->id == OPT_PALETTE_FIX) {
            palette_fix = option.value == "yes";
        }
    }
    const std::vector<std::string>& files = args.operands;
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
