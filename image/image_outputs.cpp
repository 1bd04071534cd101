#include "image/image_outputs.h"

#include <cstring>

#include "app/settings.h"
#include "common/failure.h"
#include "common/fixed_text.h"
#include "common/little_endian.h"
#include "image/ptc_container.h"
#include "resources/texts.h"

namespace tw {

ImageOutputs::ImageOutputs(const ConvertJob& job, const char* default_name) : job_(job) {
    if (!make_resource_name(job_.name, job_.res_name))
        copy_text(job_.res_name, sizeof job_.res_name, default_name);
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
    writer_.emplace(text_file_->file());
    return true;
}

bool ImageOutputs::name_whole(const char* fmt) {
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
    bool ok = format_text(job_.out_path, sizeof job_.out_path, fmt, job_.out_dir, job_.name);
#pragma GCC diagnostic pop
    if (!ok) {
        set_failure(kReasonPathTooLong, job_.path);
        return false;
    }
    std::memcpy(job_.res_name, base_name_, sizeof base_name_);
    return true;
}

bool ImageOutputs::write_col(const BmpImage& image) {
    return name_whole("%s%s_COL.ptc") &&
           write_ptc(job_, image.col, kColBufferLength, TYPE_CODE_COL);
}

bool ImageOutputs::write_col(const uint16_t (&colours)[256]) {
    ResourceBuffer col(kPrefixCOL, kColBodyLength);
    for (uint32_t i = 0; i < 256; ++i) put_le16(col.body() + 2 * i, colours[i]);
    return name_whole("%s%s_COL.ptc") && write_ptc(job_, col, TYPE_CODE_COL);
}

bool ImageOutputs::name_part(uint32_t parts, uint32_t i, const char* multi_fmt,
                             const char* single_fmt) {
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
    bool ok =
        parts > 1
            ? format_text(job_.out_path, sizeof job_.out_path, multi_fmt, job_.out_dir, job_.name,
                          i) &&
                  format_text(job_.res_name, sizeof job_.res_name, "%s%X", base_name_, i)
            : format_text(job_.out_path, sizeof job_.out_path, single_fmt, job_.out_dir, job_.name);
#pragma GCC diagnostic pop
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
