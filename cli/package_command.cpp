// tilewright package -o OUT.ptc [--name NAME] SLOT=FILE[@BANK][:WxH] ...
// Fills the package dialog as a user would and presses its create button.

#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "cli/cli_options.h"
#include "cli/commands.h"
#include "cli/console_interaction.h"
#include "cli/option_parser.h"
#include "dialogs/memory_dialog.h"
#include "package/package_build.h"
#include "package/package_dialog.h"
#include "package/package_slots.h"
#include "platform/console.h"
#include "platform/native_text.h"
#include "resources/texts.h"
#include "settings/settings.h"

namespace tw::cli {
namespace {

int usage_error(const std::string& message) {
    return cli::usage_error(program_name(command_named("package")), message);
}

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
    if (eq == std::string_view::npos || eq == 0)
        return say(kPackageSlotForm.get(), std::string(arg).c_str());
    std::string name(arg.substr(0, eq));
    out.slot = slot_by_cli_name(name.c_str());
    if (out.slot == nullptr) return say(kPackageUnknownSlot.get(), name.c_str());
    std::string_view rest = arg.substr(eq + 1);
    size_t colon = rest.rfind(':');
    if (colon != std::string_view::npos) {
        std::string_view size = rest.substr(colon + 1);
        size_t x = size.find('x');
        if (x != std::string_view::npos && all_digits(size.substr(0, x)) &&
            all_digits(size.substr(x + 1))) {
            if (!slot_has_size_box(*out.slot)) return say(kPackageNoSize.get(), name.c_str());
            out.size = std::string(size);
            rest = rest.substr(0, colon);
        }
    }
    size_t at = rest.rfind('@');
    if (at != std::string_view::npos && all_digits(rest.substr(at + 1))) {
        if (!slot_has_bank_box(*out.slot)) return say(kPackageNoBank.get(), name.c_str());
        auto bank = parse_int32(rest.substr(at + 1));
        if (!bank || *bank < 1) return say(kPackageBankNumber.get(), std::string(arg).c_str());
        out.bank = *bank;
        rest = rest.substr(0, at);
    }
    if (rest.empty()) return say(kPackageNoFile.get(), name.c_str());
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
    const Command& me = command_named("package");
    ParsedArgs args = parse_args(me, argc, argv);
    for (const GivenOption& option : args.options) {
        if (int status = common_option(me, option); status >= 0) return status;
        if (option.row->id == OPT_OUTPUT) {
            output = option.value;
        } else if (option.row->id == OPT_NAME) {
            name = option.value;
            have_name = true;
        } else if (option.row->id == OPT_SET) {
            std::string error = apply_setting(option.value);
            if (!error.empty()) return usage_error(error);
        }
    }
    for (const std::string& arg : args.operands) {
        SlotRequest r;
        std::string error = parse_slot(arg, r);
        if (!error.empty()) return usage_error(error);
        if (!used.insert(r.slot).second)
            return usage_error(say(kPackageTwice.get(), r.slot->cli_name));
        requests.push_back(r);
    }
    if (output.empty()) return usage_error(kPackageNoOutput.get());
    if (requests.empty()) return usage_error(kPackageNoSlots.get());

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
        package_dialog_command(dialog, base + SLOT_CHOOSE);
        if (!dialog.checked(base)) {  // the image did not suit the slot
            console_write(CONSOLE_OUT, "  " + std::string(r.slot->cli_name) + ": " +
                                           native_to_utf8(r.file.c_str()) + "\n");
            slots_ok = false;
            continue;
        }
        if (slot_has_bank_box(*r.slot)) {
            int banks = dialog.combo_count(base + SLOT_BANK);
            if (r.bank > banks) {
                console_write(CONSOLE_OUT,
                              say(kPackageBankMissing.get(), r.slot->cli_name, r.bank, banks));
                slots_ok = false;
                continue;
            }
            dialog.combo_select(base + SLOT_BANK, r.bank - 1);
        }
        if (!r.size.empty()) {
            int found = -1;
            for (int k = 0; k < dialog.combo_count(base + SLOT_SIZE); ++k)
                if (dialog.combo_entry(base + SLOT_SIZE, k) == r.size) found = k;
            if (found < 0) {
                set_interaction(nullptr);
                set_ready_resources(false);
                return usage_error(say(kPackageBadSize.get(), r.slot->cli_name, r.size.c_str()));
            }
            dialog.combo_select(base + SLOT_SIZE, found);
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
