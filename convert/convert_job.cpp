#include "convert/convert_job.h"

#include <cstring>

#include "common/ascii_text.h"
#include "common/failure.h"
#include "common/fixed_text.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "resources/texts.h"
#include "settings/settings.h"

namespace tw {
namespace {

bool form_out_dir(ConvertJob& job, const PathParts& parts) {
    switch (g_settings.Select) {
        case SELECT_INPUT_FOLDER:
            return format_text(job.out_dir, sizeof job.out_dir, "%s%s", parts.drive, parts.dir);
        case SELECT_USER_FOLDER:
            return format_text(job.out_dir, sizeof job.out_dir, "%s/", g_settings.User);
        default:
            return format_text(job.out_dir, sizeof job.out_dir, "%s/", g_runtime.tool_dir);
    }
}

void classify(ConvertJob& job) {
    job.kind = KIND_BIN;
    if (g_runtime.resource_type == RESOURCE_BIN) return;
    if (job_has_ext(job, ".bmp")) job.kind = KIND_IMAGE;
    if (job_has_ext(job, ".ptc")) job.kind = KIND_EXTRACT;
    if (job_has_ext(job, ".rscr")) job.kind = KIND_SCR;
    if (job_has_ext(job, ".txt")) {
        job.kind = KIND_PRG;
        if (g_settings.PRG_To_SCR != 0 && job_name_ends_with(job, "_scr")) job.kind = KIND_SCR;
        if (g_settings.PRG_To_MEM != 0 && job_name_ends_with(job, "_mem")) job.kind = KIND_MEM;
    }
}

bool ensure_directory(const char* dir) {
    if (is_directory(dir) || make_directory(dir)) return true;
    set_failure(kReasonFolder, dir);
    return false;
}

bool create_output_folders(ConvertJob& job) {
    if (!append_text(job.out_dir, sizeof job.out_dir, "PTC/")) {
        set_failure(kReasonPathTooLong, job.path);
        return false;
    }
    if (!ensure_directory(job.out_dir)) return false;
    if (job.kind == KIND_EXTRACT) return true;
    char sub[260];
    if (!format_text(sub, sizeof sub, "%s%s/", job.out_dir, job.name)) {
        set_failure(kReasonPathTooLong, job.path);
        return false;
    }
    std::memcpy(job.out_dir, sub, sizeof sub);
    return ensure_directory(job.out_dir);
}

}  // namespace

ConvertJob make_convert_job(const char* path, bool create_folders) {
    return make_convert_job(path, create_folders, system_lead_byte);
}

ConvertJob make_convert_job(const char* path, bool create_folders, LeadByteTest lead) {
    ConvertJob job{};
    PathParts parts;
    if (!split_path(path, parts, lead) || !copy_text(job.path, sizeof job.path, path)) {
        set_failure(kReasonPathTooLong, "");
        job.kind = KIND_NO_OUTPUT_DIR;
        return job;
    }
    std::memcpy(job.dir, parts.dir, sizeof job.dir);
    std::memcpy(job.name, parts.name, sizeof job.name);
    std::memcpy(job.ext, parts.ext, sizeof job.ext);
    bool dir_ok = form_out_dir(job, parts);
    for (char* c = job.ext; *c; ++c) *c = ascii_lower(*c);
    classify(job);
    if (!dir_ok) {
        set_failure(kReasonPathTooLong, path);
        job.kind = KIND_NO_OUTPUT_DIR;
        return job;
    }
    if (create_folders && !create_output_folders(job)) job.kind = KIND_NO_OUTPUT_DIR;
    return job;
}

bool job_has_ext(const ConvertJob& job, const char* ext) {
    size_t i = 0;
    for (; ext[i]; ++i)
        if (i >= sizeof job.ext || job.ext[i] != ascii_lower(ext[i])) return false;
    return i < sizeof job.ext && job.ext[i] == '\0';
}

bool job_name_ends_with(const ConvertJob& job, const char* suffix) {
    return ends_with_ci(std::string_view(job.name, text_length(job.name, sizeof job.name)), suffix);
}

}  // namespace tw
