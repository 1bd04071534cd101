// tilewright unqr [-o DIR] IMAGE...: QR sets in pictures back into PTC files.

#include <string>
#include <vector>

#include "cli/cli_options.h"
#include "cli/commands.h"
#include "cli/option_parser.h"
#include "cli/picture_command.h"
#include "common/failure.h"
#include "platform/console.h"
#include "platform/files.h"
#include "platform/native_text.h"
#include "platform/qr_reader.h"
#include "qr/qr_sets.h"
#include "resources/texts.h"
#include "settings/settings.h"

namespace tw::cli {
namespace {

int usage_error(const std::string& message) {
    return cli::usage_error(program_name(command_named("unqr")), message);
}

// Reads the codes of one picture into the gatherer and prints its line. False
// when the picture cannot be read; `codes` counts the codes it held.
bool read_image(const std::string& path, QrGatherer& gatherer, unsigned& codes) {
    const std::string shown = native_to_utf8(path.c_str());
    clear_failure();
    Picture picture;
    if (!guard_memory([&] { return read_picture_file(path.c_str(), picture); })) {
        set_failure_if_none(kReasonFailed);
        console_write(CONSOLE_OUT, say(kUnqrCannotRead.get(), shown.c_str(), last_failure()));
        return false;
    }
    const size_t ignored_before = gatherer.ignored();
    codes = 0;
    for (const std::vector<uint8_t>& payload : read_qr_symbols(grey_of(picture)))
        if (gatherer.add(payload.data(), payload.size()) != QrGatherer::CODE_IGNORED) ++codes;
    const auto ignored = static_cast<unsigned>(gatherer.ignored() - ignored_before);
    console_write(CONSOLE_OUT, ignored ? say(kUnqrImageIgnored.get(), shown.c_str(), codes, ignored)
                                       : say(kUnqrImage.get(), shown.c_str(), codes));
    return true;
}

}  // namespace

int run_unqr(int argc, char** argv) {
    load_settings();
    reset_runtime_values();
    const Command& me = command_named("unqr");
    ParsedArgs args = parse_args(me, argc, argv);
    std::string out_dir;
    for (const GivenOption& option : args.options) {
        if (int status = common_option(me, option); status >= 0) return status;
        if (option.row->id == OPT_OUTPUT) {
            if (option.value.empty()) return usage_error(kMapNeedsFolder.get());
            out_dir = option.value;
        }
    }
    const std::vector<std::string>& images = args.operands;
    if (images.empty()) return usage_error(kUnqrNoImages.get());
    if (!out_dir.empty() && !is_directory(out_dir.c_str()) && !make_directory(out_dir.c_str())) {
        console_write(CONSOLE_ERR, say(kMapNoFolder.get(), "tilewright unqr",
                                       native_to_utf8(out_dir.c_str()).c_str()));
        return 1;
    }

    bool all_ok = true;
    QrGatherer gatherer;
    std::vector<std::string> without_code;
    for (const std::string& path : images) {
        unsigned codes = 0;
        all_ok = read_image(path, gatherer, codes) && all_ok;
        if (codes == 0) without_code.push_back(native_to_utf8(path.c_str()));
    }

    // Sets are read whole first: their names decide each other's file names.
    std::vector<QrReadSet> sets;
    std::vector<unsigned> counts;
    for (const QrGathered& gathered : gatherer.sets()) {
        QrReadSet set;
        clear_failure();
        if (guard_memory([&] { return read_qr_set(gathered, set); })) {
            sets.push_back(std::move(set));
            counts.push_back(gathered.count);
        } else {
            console_write(CONSOLE_OUT, say(kUnqrSetFailed.get(), last_failure()));
            all_ok = false;
        }
    }
    ConvertJob job;
    clear_failure();
    if (!sets.empty() && !picture_job(images[0], out_dir, job)) {
        console_write(CONSOLE_OUT, say(kUnqrSetFailed.get(), last_failure()));
        return 1;
    }
    const std::vector<std::string> names = qr_output_names(sets);
    unsigned written = 0;
    for (size_t i = 0; i < sets.size(); ++i) {
        const QrReadSet& set = sets[i];
        clear_failure();
        const std::string path = job.out_dir + names[i];
        bool ok = !names[i].empty();
        if (!ok)
            set_failure(kQrSameNameAndType, set.name.c_str(), set.kind->tag());
        else if (!(ok = write_whole_file(path.c_str(), set.ptc.data(), set.ptc.size())))
            set_failure(kReasonWriteOutput, path.c_str());
        if (!ok) {
            console_write(CONSOLE_OUT, say(kUnqrSetFailed.get(), last_failure()));
            all_ok = false;
            continue;
        }
        ++written;
        console_write(CONSOLE_OUT, say(kUnqrSetWritten.get(), set.name.c_str(), set.kind->tag(),
                                       counts[i], native_to_utf8(path.c_str()).c_str()));
    }
    if (gatherer.ignored())
        console_write(CONSOLE_OUT,
                      say(kUnqrIgnored.get(), static_cast<unsigned>(gatherer.ignored())));
    if (gatherer.sets().empty()) console_write(CONSOLE_OUT, kUnqrNoSets.get());
    if (!without_code.empty()) {
        std::string list;
        for (const std::string& name : without_code) list += (list.empty() ? "" : ", ") + name;
        console_write(CONSOLE_OUT, say(kUnqrNoCodeIn.get(), list.c_str()));
    }
    return all_ok && written > 0 ? 0 : 1;
}

}  // namespace tw::cli
