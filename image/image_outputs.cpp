#include "image/image_outputs.h"

#include <cstring>

#include "common/failure.h"
#include "common/fixed_text.h"
#include "common/little_endian.h"
#include "image/ptc_container.h"
#include "resources/texts.h"
#include "settings/settings.h"

namespace tw {

ImageOutputs::ImageOutputs(const ConvertJob& job, const char* stem) : job_(job), stem_(stem) {
    if (!make_resource_name(job_.name, job_.res_name))
        copy_text(job_.res_name, sizeof job_.res_name, stem);
    std::memcpy(base_name_, job_.res_name, sizeof base_name_);
}

bool ImageOutputs::open_data_text(const char* fmt) {
    return g_settings.TextOut == 0 || open_text(fmt);
}

bool ImageOutputs::open_text(const char* fmt) {
    char path[260];
    // The formats are ours: "%s%s_CHR_DATA.txt" and the like.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
    bool fits = format_text(path, sizeof path, fmt, job_.out_dir, job_.name);
#pragma GCC diagnostic pop
    if (!fits) {
        set_failure(kReasonPathTooLong, job_.path);
        return false;
    }
    text_path_ = path;
    text_file_.emplace(path);
    if (!text_file_->is_open()) {
        set_failure(kReasonDataText, path);
        return false;
    }
    writer_.emplace(*text_file_);
    return true;
}

bool ImageOutputs::name_whole(const char* stem) {
    if (!ptc_output_path(job_.out_path, sizeof job_.out_path, job_.out_dir, job_.name, stem)) {
        set_failure(kReasonPathTooLong, job_.path);
        return false;
    }
    std::memcpy(job_.res_name, base_name_, sizeof base_name_);
    return true;
}

bool ImageOutputs::write_col(const BmpImage& image) {
    return name_whole(kColKind.tag()) &&
           write_ptc(job_, image.col, kColBufferLength, kColKind.type_code);
}

bool ImageOutputs::write_col(const uint16_t (&colours)[256]) {
    ResourceBuffer col(kColKind);
    for (uint32_t i = 0; i < 256; ++i) put_le16(col.body() + 2 * i, colours[i]);
    return name_whole(kColKind.tag()) && write_ptc(job_, col, kColKind.type_code);
}

bool ImageOutputs::name_part(uint32_t parts, uint32_t i) {
    if (parts <= 1) return name_whole();
    const bool ok = ptc_output_path(job_.out_path, sizeof job_.out_path, job_.out_dir, job_.name,
                                    stem_, static_cast<int32_t>(i)) &&
                    format_text(job_.res_name, sizeof job_.res_name, "%s%X", base_name_, i);
    if (!ok) set_failure(kReasonPathTooLong, job_.path);
    return ok;
}

bool ImageOutputs::finish() {
    if (!writer_) return true;
    bool ok = writer_->finish();
    writer_.reset();
    ok = ok && text_file_->commit();
    text_file_.reset();
    if (!ok) set_failure(kReasonDataText, text_path_.c_str());
    return ok;
}

}  // namespace tw
