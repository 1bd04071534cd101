#include "batch/batch.h"

#include <cstdio>

#include "common/failure.h"
#include "convert/bin_convert.h"
#include "convert/convert_job.h"
#include "extract/ptc_extract.h"
#include "image/chr_convert.h"
#include "image/grp_convert.h"
#include "platform/interaction.h"
#include "resources/texts.h"
#include "settings/settings.h"
#include "text/mem_text.h"
#include "text/prg_text.h"
#include "text/scr_screen.h"

namespace tw {
namespace {

using Converter = bool (*)(ConvertJob);

bool convert_image(ConvertJob job) {
    return g_runtime.resource_type == RESOURCE_GRP ? convert_grp(job) : convert_chr(job);
}

Converter converter_for(int32_t kind) {
    switch (kind) {
        case KIND_PRG:
            return convert_prg;
        case KIND_MEM:
            return convert_mem;
        case KIND_SCR:
            return convert_scr;
        case KIND_IMAGE:
            return convert_image;
        case KIND_EXTRACT:
            return extract_ptc;
        case KIND_BIN:
            return convert_bin;
        default:
            return nullptr;
    }
}

std::string summary_text(const BatchCounts& counts) {
    char text[256];
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
    std::snprintf(text, sizeof text, kSummaryFormat, counts.total, counts.succeeded, counts.failed);
#pragma GCC diagnostic pop
    return text;
}

}  // namespace

bool convert_file(const char* path) {
    clear_failure();
    ConvertJob job = make_convert_job(path, g_settings.Create == 1);
    if (job.kind == KIND_NO_OUTPUT_DIR) {
        set_failure_if_none(kReasonFolder, path);
        return false;
    }
    Converter convert = converter_for(job.kind);
    if (convert == nullptr) {
        set_failure(kReasonNoConverter);
        return false;
    }
    const bool ok = guard_memory([&] { return convert(job); });
    if (!ok) set_failure_if_none(kReasonFailed);
    return ok;
}

BatchCounts convert_batch(const std::vector<std::string>& paths, const FileDone& on_file) {
    BatchCounts counts;
    for (size_t i = 0; i < paths.size(); ++i) {
        ++counts.total;
        bool ok = convert_file(paths[i].c_str());
        ++(ok ? counts.succeeded : counts.failed);
        if (on_file) on_file(i, paths[i], ok);
    }
    interaction().show_message(summary_text(counts).c_str(), kSummaryCaption);
    return counts;
}

}  // namespace tw
