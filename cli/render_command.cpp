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

constexpr const char* kRenderUsage =
    "使い方: tilewright render -o 出力.png|出力.bmp [--screen SCR0-SCR3] [--crop X,Y,W,H] "
    "ファイル...\n"
    "  BG画面を512x512の8bitパレット画像に描きます。ファイルは次のどちらかです:\n"
    "    パッケージ1つ（--screen の画面を、上画面なら BGU0-BGU3 と COL0、下画面なら\n"
    "    BGS0-BGS3 と COL0_S で描きます。既定は SCR0）\n"
    "    画面（SCRのPTC、.rscr、BGPUTテキスト）、CHRのPTC 1〜4個（順にバンク0〜3）、COLのPTC 1個\n"
    "  -o, --output FILE     出力する画像（.png か .bmp）\n"
    "  --screen SLOT         パッケージのどの画面を描くか: SCR0, SCR1（上画面）, SCR2, "
    "SCR3（下画面）\n"
    "  --crop X,Y,W,H        画面の一部だけを描く（見える範囲なら 0,0,256,192）\n"
    "終了コード: 0 描いた、1 描けなかった、2 指定の誤り\n";

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
            console_write(CONSOLE_OUT, kRenderUsage);
            return 0;
        } else if (take_value(argc, argv, i, arg, "-o", "--output", value, missing)) {
            if (missing || picture_format_of(value) == PICTURE_NONE)
                return usage_error("-o には .png か .bmp のファイルを指定してください");
            output = value;
        } else if (take_value(argc, argv, i, arg, "", "--screen", value, missing)) {
            screen = -1;
            for (int s = 0; s < 4; ++s)
                if (same_ci(value, kScreenSlots[s])) screen = s;
            if (missing || screen < 0)
                return usage_error(
                    "--screen には SCR0, SCR1, SCR2, SCR3 のどれかを指定してください");
        } else if (take_value(argc, argv, i, arg, "", "--crop", value, missing)) {
            if (missing || !parse_crop(value, crop))
                return usage_error("--crop には 512x512 の中の範囲を X,Y,W,H で指定してください");
        } else {
            return usage_error("不明なオプションです: " + std::string(arg));
        }
    }
    if (output.empty()) return usage_error("-o で出力する画像を指定してください");
    if (files.empty()) return usage_error("描画するファイルを指定してください");

    clear_failure();
    auto sources = std::make_unique<ScreenSources>();
    std::vector<uint8_t> pixels;
    const bool ok = guard_memory([&] {
        return load_screen_sources(files, screen, *sources) && render_screen(*sources, crop, pixels) &&
               write_indexed_picture(output.c_str(), pixels, crop.width, crop.height, sources->colours);
    });
    const std::string shown = native_to_utf8(output.c_str());
    if (!ok) {
        set_failure_if_none("%s", kReasonFailed);
        console_write(CONSOLE_OUT, "描画失敗: " + shown + ": " + last_failure() + "\n");
        return 1;
    }
    console_write(CONSOLE_OUT, "描画成功: " + shown + " (" + std::to_string(crop.width) + "x" +
                                   std::to_string(crop.height) + ")\n");
    return 0;
}

}  // namespace tw::cli
