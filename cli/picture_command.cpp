#include "cli/picture_command.h"

#include <cstdlib>
#include <vector>

#include "cli/cli_options.h"
#include "common/failure.h"
#include "common/fixed_text.h"
#include "image/colour.h"
#include "platform/native_text.h"
#include "platform/png.h"
#include "resources/texts.h"
#include "settings/settings.h"

namespace tw::cli {
namespace {

bool encode_report(const Picture& picture, std::vector<uint8_t>& out) {
    return png_encode_rgba8(reinterpret_cast<const uint8_t*>(picture.pixels.data()), picture.width,
                            picture.height, out);
}

// "RRGGBB" in hexadecimal, any case.
bool parse_colour(const std::string& text, Rgba& out) {
    if (text.size() != 6) return false;
    uint32_t v = 0;
    for (char c : text) {
        const int d = c >= '0' && c <= '9'   ? c - '0'
                      : c >= 'a' && c <= 'f' ? c - 'a' + 10
                      : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                             : -1;
        if (d < 0) return false;
        v = v << 4 | static_cast<uint32_t>(d);
    }
    out = Rgba{static_cast<uint8_t>(v >> 16), static_cast<uint8_t>(v >> 8), static_cast<uint8_t>(v),
               255};
    return true;
}

}  // namespace

bool take_picture_option(const GivenOption& option, PictureOptions& options, std::string& error) {
    const std::string& v = option.value;
    switch (option.row->id) {
        case OPT_PALETTE:
            if (v.empty()) {
                error = kOptPaletteValue.get();
            } else if (v == "auto") {
                options.palette = PaletteRule::AUTO;
            } else if (v == "keep") {
                if (options.reduce) error = kOptReduceKeep.get();
                options.palette = PaletteRule::KEEP;
            } else if (v == "generate") {
                options.palette = PaletteRule::GENERATE;
            } else {
                options.palette = PaletteRule::FILE;
                options.palette_file = v;
            }
            return true;
        case OPT_TRANSPARENT:
            if (v == "none")
                options.transparent = TransparentRule::NONE;
            else if (parse_colour(v, options.transparent_colour))
                options.transparent = TransparentRule::COLOUR;
            else
                error = kOptTransparentValue.get();
            return true;
        case OPT_PACK_EFFORT: {
            const auto n = parse_int32(v);
            if (!n || *n < 0)
                error = kOptPackEffortValue.get();
            else
                options.pack_effort = static_cast<uint64_t>(*n);
            return true;
        }
        case OPT_REPORT:
            options.report = true;
            options.report_encoder = encode_report;
            return true;
        case OPT_REDUCE:
            if (options.palette == PaletteRule::KEEP) error = kOptReduceKeep.get();
            options.reduce = true;
            return true;
        case OPT_DITHER:
            options.dither = true;
            return true;
        default:
            return false;
    }
}

bool picture_job(const std::string& path, const std::string& out_dir, ConvertJob& job) {
    job = make_convert_job(path.c_str(), out_dir.empty() && g_settings.Create == 1);
    if (job.kind == KIND_NO_OUTPUT_DIR) {
        set_failure(kReasonFolder, path.c_str());
        return false;
    }
    if (out_dir.empty()) return true;
    const char last = out_dir.back();
    const bool separated = last == '/' || last == '\\';
    if (!format_text(job.out_dir, sizeof job.out_dir, "%s%s", out_dir.c_str(),
                     separated ? "" : "/")) {
        set_failure(kReasonPathTooLong, out_dir.c_str());
        return false;
    }
    return true;
}

std::string picture_summary_tail(const PictureSummary& s, const PictureOptions& options) {
    std::string tail;
    if (s.rule == PaletteRule::KEEP)
        tail = kPictureRuleKeep.get();
    else if (s.rule == PaletteRule::FILE)
        tail = say(kPictureRuleFile.get(), native_to_utf8(options.palette_file.c_str()).c_str());
    else if (s.reduced)
        tail = say(kPictureReducedBanks.get(), s.bank_count);
    else if (s.fewest)
        tail = say(kPictureFewest.get(), s.bank_count);
    else
        tail = say(kPictureBestFound.get(), s.bank_count, s.lower_bound);
    switch (s.reason) {
        case RuleReason::ASKED:
            break;
        case RuleReason::ONE_BANK_UNITS:
            tail += kPictureWhyIndexed.get();
            break;
        case RuleReason::NOT_INDEXED:
            tail += kPictureWhyNotIndexed.get();
            break;
        case RuleReason::MIXED_UNIT:
            tail += say(kPictureWhyMixed.get(), s.mixed_x, s.mixed_y);
            break;
        case RuleReason::NOT_WHOLE_UNITS:
            tail += kPictureWhyNotWhole.get();
            break;
        case RuleReason::PALETTES_DIFFER:
            tail += kPictureWhyPalettes.get();
            break;
        case RuleReason::OPAQUE_COLOUR_0:
            tail += say(kPictureWhyColour0.get(), s.mixed_x, s.mixed_y);
            break;
    }
    if (s.key_source == KeySource::GIVEN && s.key_pixels == 0 && s.near_key_pixels > 0) {
        const Rgba& k = options.transparent_colour;
        const Rgb drawn = col_to_rgb(s.key);
        tail += say(kPictureKeyNear.get(), unsigned{k.r} << 16 | unsigned{k.g} << 8 | k.b,
                    s.near_key_pixels, unsigned{drawn.r} << 16 | unsigned{drawn.g} << 8 | drawn.b);
    }
    if (s.hidden_by_keep > 0) tail += say(kPictureKeepHides.get(), s.hidden_by_keep);
    if (s.reduced) tail += say(kPictureReduceQuality.get(), s.psnr, s.max_error);
    if (s.padded())
        tail += say(kPicturePadded.get(), s.width, s.height, s.padded_width, s.padded_height);
    if (!s.report_path.empty())
        tail += say(kPictureReportWritten.get(), native_to_utf8(s.report_path.c_str()).c_str());
    return tail;
}

}  // namespace tw::cli
