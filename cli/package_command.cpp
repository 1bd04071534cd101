// tilewright package -o OUT.ptc [--name NAME] SLOT=FILE[@BANK][:WxH] ...
// Fills the package dialog as a user would and presses its create button.

#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "app/memory_dialog.h"
#include "app/settings.h"
#include "cli/cli_options.h"
#include "cli/commands.h"
#include "cli/console_interaction.h"
#include "package/package_build.h"
#include "package/package_dialog.h"
#include "package/package_slots.h"
#include "platform/console.h"
#include "platform/native_text.h"

namespace tw::cli {
namespace {

constexpr const char* kPackageUsage =
    "使い方: tilewright package -o 出力.ptc [--name 名前] スロット=ファイル[@バンク][:幅x高さ] ...\n"
    "  プログラムとリソースを1つのPTCパッケージにまとめます（パッケージ作成ダイアログと同じ）。\n"
    "  スロット: PRG, MEM, SPU0-SPU7, BGU0-BGU3, BGF0, COL0-COL2, SCR0, SCR1（上画面）,\n"
    "            GRP0-GRP3, SPD0-SPD3, BGS0-BGS3, BGF1, COL0_S-COL2_S, SCR2, SCR3（下画面）,\n"
    "            SPS0, SPS1, BGD0, BGD1（展開したときのファイル名と同じ）\n"
    "  ファイル  画像（パレット付きBMPかPNG）、テキスト、またはスロットと同じ種類のPTCファイル\n"
    "            （CHR, COL, SCR, GRP, MEM。中身をそのまま入れます: tilewright map の出力など）\n"
    "  @バンク   画像の何枚目を使うか（1から、既定 1）\n"
    "  :幅x高さ  スプライトの大きさ（SPU, SPS: 16x16 など、既定 16x16。SPD は 32x32）\n"
    "  -o, --output FILE     出力するファイル（拡張子は .ptc になります）\n"
    "  --name NAME           パッケージ名（8文字、英大文字・数字・_）。既定 PACKAGE\n"
    "  -s, --set KEY=VALUE   この実行だけの設定（AutoTrim, WideMode, PRG_ESCAPE など）\n"
    "終了コード: 0 作成した、1 作成できなかった、2 指定の誤り\n";

int usage_error(const std::string& message) { return cli::usage_error("tilewright package", message); }

struct SlotRequest {
    const PackageSlot* slot;
    std::string file;
    int bank = 1;
    std::string size;  // empty: the size box's default
};

bool all_digits(std::string_view s) {
    if (s.empty()) return false;
    for (char c : s)
        if (c < '0' || c > '9') return false;
    return true;
}

// SLOT=FILE[@BANK][:WxH], the suffixes taken from the right so that a file
// name may hold "@" and ":" (a drive letter).
std::string parse_slot(std::string_view arg, SlotRequest& out) {
    size_t eq = arg.find('=');
    if (eq == std::string_view::npos || eq == 0) return "スロット=ファイル の形で指定してください: " + std::string(arg);
    std::string name(arg.substr(0, eq));
    out.slot = slot_by_cli_name(name.c_str());
    if (out.slot == nullptr) return "スロットの名前が不明です: " + name;
    std::string_view rest = arg.substr(eq + 1);
    size_t colon = rest.rfind(':');
    if (colon != std::string_view::npos) {
        std::string_view size = rest.substr(colon + 1);
        size_t x = size.find('x');
        if (x != std::string_view::npos && all_digits(size.substr(0, x)) && all_digits(size.substr(x + 1))) {
            if (!slot_has_size_box(*out.slot)) return name + " には大きさを指定できません";
            out.size = std::string(size);
            rest = rest.substr(0, colon);
        }
    }
    size_t at = rest.rfind('@');
    if (at != std::string_view::npos && all_digits(rest.substr(at + 1))) {
        if (!slot_has_bank_box(*out.slot)) return name + " にはバンクを指定できません";
        auto bank = parse_int32(rest.substr(at + 1));
        if (!bank || *bank < 1) return "バンクは1以上の数で指定してください: " + std::string(arg);
        out.bank = *bank;
        rest = rest.substr(0, at);
    }
    if (rest.empty()) return name + " のファイルを指定してください";
    out.file = std::string(rest);
    return "";
}

}  // namespace

int run_package(int argc, char** argv) {
    load_settings();
    reset_runtime_values();
    std::string output, name;
    bool have_name = false;
    std::vector<SlotRequest> requests;
    std::set<const PackageSlot*> used;
    for (int i = 2; i < argc; ++i) {
        std::string_view arg = argv[i];
        auto value = [&](std::string& v) {
            if (i + 1 >= argc) return false;
            v = argv[++i];
            return true;
        };
        if (arg == "-h" || arg == "--help") {
            console_write(CONSOLE_OUT, kPackageUsage);
            return 0;
        } else if (arg == "-o" || arg == "--output") {
            if (!value(output)) return usage_error("-o には出力ファイルを指定してください");
        } else if (arg == "--name") {
            if (!value(name)) return usage_error("--name には名前を指定してください");
            have_name = true;
        } else if (arg == "-s" || arg == "--set") {
            std::string v;
            if (!value(v)) return usage_error("--set には KEY=VALUE を指定してください");
            std::string error = apply_setting(v);
            if (!error.empty()) return usage_error(error);
        } else if (!arg.empty() && arg[0] == '-') {
            return usage_error("不明なオプションです: " + std::string(arg));
        } else {
            SlotRequest r;
            std::string error = parse_slot(arg, r);
            if (!error.empty()) return usage_error(error);
            if (!used.insert(r.slot).second) return usage_error(std::string(r.slot->cli_name) + " が2回指定されています");
            requests.push_back(r);
        }
    }
    if (output.empty()) return usage_error("-o で出力ファイルを指定してください");
    if (requests.empty()) return usage_error("スロットを1つ以上指定してください");

    ConsoleInteraction console(std::nullopt);
    set_interaction(&console);
    set_ready_resources(true);
    MemoryDialog dialog;
    package_dialog_init(dialog);
    bool slots_ok = true;
    for (const auto& r : requests) {
        const int base = r.slot->base;
        dialog.set_checked(base, true);
        package_dialog_command(dialog, base);
        console.queue_file_answer(r.file);
        package_dialog_command(dialog, base + 2);
        if (!dialog.checked(base)) {  // the image did not suit the slot
            console_write(CONSOLE_OUT, "  " + std::string(r.slot->cli_name) + ": " + native_to_utf8(r.file.c_str()) + "\n");
            slots_ok = false;
            continue;
        }
        if (slot_has_bank_box(*r.slot)) {
            int banks = dialog.combo_count(base + 3);
            if (r.bank > banks) {
                console_write(CONSOLE_OUT, std::string(r.slot->cli_name) + ": " + std::to_string(r.bank) +
                                               "枚目はありません（" + std::to_string(banks) + "枚目まで）\n");
                slots_ok = false;
                continue;
            }
            dialog.combo_select(base + 3, r.bank - 1);
        }
        if (!r.size.empty()) {
            int found = -1;
            for (int k = 0; k < dialog.combo_count(base + 4); ++k)
                if (dialog.combo_entry(base + 4, k) == r.size) found = k;
            if (found < 0) {
                set_interaction(nullptr);
                set_ready_resources(false);
                return usage_error(std::string(r.slot->cli_name) + " の大きさにできません: " + r.size);
            }
            dialog.combo_select(base + 4, found);
        }
    }
    if (have_name) dialog.set_text(ID_PACKAGE_NAME, name);
    int status = 1;
    if (slots_ok) {
        console.queue_file_answer(output);
        status = package_dialog_command(dialog, ID_CREATE) == DIALOG_END ? 0 : 1;
    }
    set_interaction(nullptr);
    set_ready_resources(false);
    return status;
}

}  // namespace tw::cli
