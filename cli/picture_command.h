#pragma once
// What `map` and `sprites` share: their picture options read from the command
// line, the output folder, and the summary line of one picture.

#include <string>

#include "cli/option_parser.h"
#include "convert/convert_job.h"
#include "palettes/picture_options.h"

namespace tw::cli {

// Takes --palette, --transparent, --pack-effort and --report into `options`.
// True when `option` was one of them; `error` is set when its value is wrong.
bool take_picture_option(const GivenOption& option, PictureOptions& options, std::string& error);

// The job of one picture, its outputs in the settings' folder or in out_dir.
// False with the reason recorded.
bool picture_job(const std::string& path, const std::string& out_dir, ConvertJob& job);

// ", 3 palettes (fewest) (not an indexed picture), padded ..., report: ..." for
// the end of a summary line.
std::string picture_summary_tail(const PictureSummary& summary, const PictureOptions& options);

}  // namespace tw::cli
