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
#include "platform/native_text.h"

namespace tw::cli {
namespace {

constexpr const char* kUsage =
    "使い方: tilewright [オプション] ファイル...\n"
    "  ファイルを順に変換します（メインウィンドウへのドロップと同じ）。\n"
    "  BMP画像 → COL/CHR（またはGRP）、テキスト → PRG/MEM/SCR、PTC → 元のファイル、\n"
    "  その他のファイル → BIN。設定はカレントフォルダの Brickyard.ini から読みます。\n"
    "\n"
    "  -t, --type TYPE       リソースの種類 (type): bg（既定）, 16x16, 32x16, 16x32, 32x32,\n"
    "                        64x32, 32x64, 64x64（スプライト）, grp, bin\n"
    "  -s, --set KEY=VALUE   この実行だけの設定 (setting)。KEY は Brickyard.ini のキー名\n"
    "                        （大文字小文字は区別しない）、VALUE は整数、User はフォルダ。\n"
    "                        繰り返し指定できます。保存はされません\n"
    "  --palette-fix yes|no  2色1bit画像のパレット変換の確認への答え\n"
    "  -h, --help            この説明 (usage)\n"
    "  --version             バージョン\n"
    "\n"
    "終了コード: 0 すべて変換成功、1 変換失敗あり、2 指定の誤り\n";

int usage_error(const std::string& message) { return cli::usage_error("tilewright", message); }

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
            console_write(CONSOLE_OUT, kUsage);
            return 0;
        }
        if (arg == "--version") {
            console_write(CONSOLE_OUT, std::string(kVersion) + "\n");
            return 0;
        }
        std::string value;
        bool missing = false;
        if (take_value(argc, argv, i, arg, "-t", "--type", value, missing)) {
            if (missing) return usage_error(std::string(arg) + " には種類を指定してください");
            const ResourceType* type = resource_type_by_name(value);
            if (type == nullptr) return usage_error("リソースの種類が不明です: " + value);
            g_runtime.resource_type = type->menu_id;
            if (type->unit_width != 0) {
                g_runtime.sprite_width = type->unit_width;
                g_runtime.sprite_height = type->unit_height;
            }
        } else if (take_value(argc, argv, i, arg, "-s", "--set", value, missing)) {
            if (missing) return usage_error(std::string(arg) + " には KEY=VALUE を指定してください");
            std::string error = apply_setting(value);
            if (!error.empty()) return usage_error(error);
        } else if (take_value(argc, argv, i, arg, "", "--palette-fix", value, missing)) {
            if (missing || (value != "yes" && value != "no"))
                return usage_error("--palette-fix には yes か no を指定してください");
            palette_fix = value == "yes";
        } else {
            return usage_error("不明なオプションです: " + std::string(arg));
        }
    }
    if (files.empty()) return usage_error("変換するファイルを指定してください");

    ConsoleInteraction console(palette_fix);
    set_interaction(&console);
    const bool several = files.size() > 1;
    console.batch_progress(0, files.size());
    BatchCounts counts = convert_batch(files, [&](size_t index, const std::string& path, bool ok) {
        console.end_progress();
        std::string shown = native_to_utf8(path.c_str());
        if (!ok)
            console_write(CONSOLE_OUT, "変換失敗: " + shown + ": " + last_failure() + "\n");
        else if (several)
            console_write(CONSOLE_OUT, "変換成功: " + shown + "\n");
        if (index + 1 < files.size()) console.batch_progress(index + 1, files.size());
    });
    set_interaction(nullptr);
    return counts.failed == 0 ? 0 : 1;
}

}  // namespace tw::cli
