// tilewright qr [-o DIR] [--scale N] FILE...: PTC files to QR sets for the handheld's camera.

#include <string>
#include <vector>

#include "cli/cli_options.h"
#include "cli/commands.h"
#include "cli/option_parser.h"
#include "cli/picture_command.h"
#include "common/failure.h"
#include "image/resource_kinds.h"
#include "platform/console.h"
#include "platform/files.h"
#include "platform/input_file.h"
#include "platform/native_text.h"
#include "qr/qr_outputs.h"
#include "qr/qr_sets.h"
#include "qr/qr_stream.h"
#include "resources/texts.h"
#include "settings/settings.h"

namespace tw::cli {
namespace {

constexpr int32_t kDefaultScale = 3;
// unqr refuses a plain length (the file less its header) above 16 MiB, and
// every set written here must read back.
constexpr uint64_t kMaxQrPtcBytes = uint64_t{kPtcHeaderLength} + kQrMaxPlainLength;
constexpr int32_t kMaxScale = 8;

int usage_error(const std::string& message) {
    return cli::usage_error(program_name(command_named("qr")), message);
}

// One file's set written; false with the reason recorded.
bool write_set(const std::string& path, const std::string& out_dir, uint32_t scale, QrSet& set,
               std::string& prefix) {
    ConvertJob job;
    std::vector<uint8_t> ptc;
    if (!picture_job(path, out_dir, job) ||
        !read_input_file(path.c_str(), kMaxQrPtcBytes, kReasonQrTooLarge, ptc) ||
        !make_qr_set(ptc.data(), ptc.size(), set))
        return false;
    prefix = std::string(job.out_dir) + job.name;
    return write_qr_files(prefix, set.name, set.type, set.codes, scale);
}

}  // namespace

int run_qr(int argc, char** argv) {
    load_settings();
    reset_runtime_values();
    const Command& me = command_named("qr");
    ParsedArgs args = parse_args(me, argc, argv);
    std::string out_dir;
    int32_t scale = kDefaultScale;
    for (const GivenOption& option : args.options) {
        if (int status = common_option(me, option); status >= 0) return status;
        if (option.row->id == OPT_OUTPUT) {
            if (option.value.empty()) return usage_error(kMapNeedsFolder.get());
            out_dir = option.value;
        } else if (option.row->id == OPT_SCALE) {
            const auto n = parse_int32(option.value);
            if (!n || *n < 1 || *n > kMaxScale) return usage_error(kQrScaleValue.get());
            scale = *n;
        }
    }
    const std::vector<std::string>& files = args.operands;
    if (files.empty()) return usage_error(kQrNoFiles.get());
    if (!out_dir.empty() && !is_directory(out_dir.c_str()) && !make_directory(out_dir.c_str())) {
        console_write(CONSOLE_ERR, say(kMapNoFolder.get(), "tilewright qr",
                                       native_to_utf8(out_dir.c_str()).c_str()));
        return 1;
    }
    int failed = 0;
    for (const std::string& path : files) {
        clear_failure();
        QrSet set;
        std::string prefix;
        const std::string shown = native_to_utf8(path.c_str());
        if (!guard_memory([&] {
                return write_set(path, out_dir, static_cast<uint32_t>(scale), set, prefix);
            })) {
            set_failure_if_none(kReasonFailed);
            console_write(CONSOLE_OUT, say(kQrFailed.get(), shown.c_str(), last_failure()));
            ++failed;
            continue;
        }
        const std::string shown_prefix = native_to_utf8(prefix.c_str());
        console_write(CONSOLE_OUT, say(kQrSucceeded.get(), shown.c_str(), set.name.c_str(),
                                       set.type.c_str(), static_cast<unsigned>(set.codes.size()),
                                       shown_prefix.c_str(), shown_prefix.c_str()));
    }
    return failed == 0 ? 0 : 1;
}

}  // namespace tw::cli
