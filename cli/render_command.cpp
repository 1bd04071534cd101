// tilewright render -o OUT [--screen SLOT] [--crop X,Y,W,H] FILE...
// A BG screen drawn as a picture with its characters and palette.

#include <memory>
#include <string>
#include <vector>

#include "cli/cli_options.h"
#include "cli/commands.h"
#include "common/ascii_text.h"
#include "common/failure.h"
#include "maps/picture_output.h"
#include "maps/screen_render.h"
#include "maps/screen_sources.h"
#include "platform/console.h"
#include "platform/native_text.h"
#include "resources/texts.h"

namespace tw::cli {
namespace {

int usage_error(const std::string& message) {
    return cli::usage_error("tilewright render", message);
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
    std::vector<std::string> files;
    std::string output;
    int screen = -1;
    Crop crop;
    bool options_done = false;
    for (int i = 2; i < argc; ++i) {
        std::string_view arg = argv[i];
        if (options_done || arg.empty() || arg[0] != '-' || arg == "-") {
            files.emplace_back(arg);
            continue;
        }
        std::string value;
        bool missing = false;
        if (arg == "--") {
            options_done = true;
        } else if (arg == "-h" || arg == "--help") {
            console_write(CONSOLE_OUT, kCliRenderUsage.get());
            return 0;
        } else if (take_value(argc, argv, i, arg, "-o", "--output", value, missing)) {
            if (missing || picture_format_of(value) == PICTURE_NONE)
                return usage_error(kRenderOutputKind.get());
            output = value;
        } else if (take_value(argc, argv, i, arg, "", "--screen", value, missing)) {
            screen = -1;
            for (int s = 0; s < 4; ++s)
                if (same_ci(value, kScreenSlots[s])) screen = s;
            if (missing || screen < 0) return usage_error(kRenderScreenName.get());
        } else if (take_value(argc, argv, i, arg, "", "--crop", value, missing)) {
            if (missing || !parse_crop(value, crop)) return usage_error(kRenderCrop.get());
        } else {
            return usage_error(say(kCliUnknownOption.get(), std::string(arg).c_str()));
        }
    }
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
