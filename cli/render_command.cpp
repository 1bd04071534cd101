// tilewright render -o OUT [--screen SLOT] [--crop X,Y,W,H] FILE...
// A BG screen drawn as a picture with its characters and palette.

#include <memory>
#include <string>
#include <vector>

#include "cli/cli_options.h"
#include "cli/commands.h"
#include "cli/option_parser.h"
#include "common/ascii_text.h"
#include "common/failure.h"
#include "maps/screen_render.h"
#include "maps/screen_sources.h"
#include "picture/picture_output.h"
#include "platform/console.h"
#include "platform/native_text.h"
#include "resources/texts.h"

namespace tw::cli {
namespace {

int usage_error(const std::string& message) {
    return cli::usage_error(program_name(command_named("render")), message);
}

// X,Y,W,H inside the screen, W and H at least 1.
bool parse_crop(const std::string& text, Crop& crop) {
    uint32_t v[4];
    size_t at = 0;
    for (int k = 0; k < 4; ++k) {
        const size_t comma = k < 3 ? text.find(',', at) : text.size();
        if (comma == std::string::npos) return false;
        auto n = parse_int32(std::string_view(text).substr(at, comma - at));
        if (!n || *n < 0 || *n > static_cast<int32_t>(kScreenPixels)) return false;
        v[k] = static_cast<uint32_t>(*n);
        at = comma + 1;
    }
    crop = {v[0], v[1], v[2], v[3]};
    return crop.width > 0 && crop.height > 0 && crop.x + crop.width <= kScreenPixels &&
           crop.y + crop.height <= kScreenPixels;
}

}  // namespace

int run_render(int argc, char** argv) {
    const Command& me = command_named("render");
    ParsedArgs args = parse_args(me, argc, argv);
    std::string output;
    int screen = -1;
    Crop crop;
    for (const GivenOption& option : args.options) {
        if (int status = common_option(me, option); status >= 0) return status;
        if (option.row->id == OPT_OUTPUT) {
            if (picture_format_of(option.value) == PICTURE_NONE)
                return usage_error(kRenderOutputKind.get());
            output = option.value;
        } else if (option.row->id == OPT_SCREEN) {
            for (int s = 0; s < 4; ++s)
                if (same_ci(option.value, kScreenSlots[s])) screen = s;
        } else if (option.row->id == OPT_CROP) {
            if (!parse_crop(option.value, crop)) return usage_error(kRenderCrop.get());
        }
    }
    const std::vector<std::string>& files = args.operands;
    if (output.empty()) return usage_error(kRenderNoOutput.get());
    if (files.empty()) return usage_error(kRenderNoFiles.get());

    clear_failure();
    auto sources = std::make_unique<ScreenSources>();
    std::vector<uint8_t> pixels;
    const bool ok = guard_memory([&] {
        return load_screen_sources(files, screen, *sources) &&
               render_screen(*sources, crop, pixels) &&
               write_indexed_picture(output.c_str(), pixels, crop.width, crop.height,
                                     sources->colours);
    });
    const std::string shown = native_to_utf8(output.c_str());
    if (!ok) {
        set_failure_if_none(kReasonFailed);
        console_write(CONSOLE_OUT, say(kRenderFailed.get(), shown.c_str(), last_failure()));
        return 1;
    }
    console_write(CONSOLE_OUT, say(kRenderSucceeded.get(), shown.c_str(), crop.width, crop.height));
    return 0;
}

}  // namespace tw::cli
