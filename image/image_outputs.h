#pragma once
// What the image and binary converters share: their copy of the job with the
// resource name and its part numbers, the optional DATA text file, and the
// COL file.

#include <cstdint>
#include <optional>
#include <string>

#include "convert/convert_job.h"
#include "picture/bmp_image.h"
#include "platform/buffered_writer.h"
#include "platform/files.h"

namespace tw {

class ImageOutputs {
  public:
    // res_name = the resource name of job.name, or `stem` when it has none. The
    // stem ("CHR", "GRP", "BIN") also names the resources' files.
    ImageOutputs(const ConvertJob& job, const char* stem);

    // With TextOut: opens the DATA text file named by fmt ("%s%s_..." of out_dir and name).
    // False (failure recorded) when it cannot be opened. Without TextOut: true.
    bool open_data_text(const char* fmt);
    // The same whatever TextOut says: for a text that is an output of its own.
    bool open_text(const char* fmt);
    // The DATA text writer, or nullptr without TextOut.
    BufferedWriter* text() { return writer_ ? &*writer_ : nullptr; }

    // The image's palette as a COL file.
    bool write_col(const BmpImage& image);
    // out_path of a whole resource of this stem (or another kind's tag) and the base
    // resource name.
    bool name_whole(const char* stem);
    bool name_whole() { return name_whole(stem_); }
    // out_path and res_name of part i of `parts`: the part number after the stem and
    // the base name followed by i in hexadecimal when there are several, else as
    // name_whole.
    bool name_part(uint32_t parts, uint32_t i);
    // 256 target colours as a COL file.
    bool write_col(const uint16_t (&colours)[256]);

    ConvertJob& job() { return job_; }
    // Completes the DATA text and puts it in place. False when any write to it failed.
    bool finish();

  private:
    ConvertJob job_;
    const char* stem_;
    char base_name_[16];
    std::string text_path_;
    std::optional<OutputFile> text_file_;
    std::optional<BufferedWriter> writer_;
};

}  // namespace tw
