#include "extract/ptc_extract.h"

#include <cstring>
#include <string>

#include "common/failure.h"
#include "common/fixed_text.h"
#include "extract/bmp_output.h"
#include "extract/ptc_walk.h"
#include "extract/screen_output.h"
#include "extract/text_output.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "resources/texts.h"

namespace tw {
namespace {

// A '/' or '\\' of its own; the second byte of a two-byte character is no separator.
bool holds_separator(const std::string& name) {
    for (size_t i = 0; i < name.size(); ++i) {
        const auto c = static_cast<unsigned char>(name[i]);
        if (system_lead_byte(c)) {
            ++i;
            continue;
        }
        if (c == '/' || c == '\\') return true;
    }
    return false;
}

}  // namespace

bool extract_ptc(ConvertJob job) {
    File f = File::open_read(job.path);
    if (!f.is_open()) {
        set_failure(kReasonOpenInput, job.path);
        return false;
    }
    uint64_t size = 0;
    if (!f.size(&size)) {
        set_failure(kReasonReadInput, job.path);
        return false;
    }
    InputCursor in(f);
    const std::string name = ptc_resource_name(in);
    // The name comes from the file: a separator in it would put the folder elsewhere,
    // and a name the system would take as another would put the files elsewhere.
    if (holds_separator(name)) {
        set_failure(kReasonPtcName);
        return false;
    }
    if (const Text* fault = system_name_fault(name)) {
        set_failure(kReasonPtcNameOnWindows, shown_name(name).c_str(), fault->get());
        return false;
    }
    char folder[260], base_path[260];
    if (!format_text(folder, sizeof folder, "%sPTC_%s/", job.out_dir, name.c_str()) ||
        !format_text(base_path, sizeof base_path, "%s%s", folder, name.c_str())) {
        set_failure(kReasonPathTooLong, job.path);
        return false;
    }
    if (!is_directory(folder) && !make_directory(folder)) {
        set_failure(kReasonFolder, folder);
        return false;
    }

    PtcWalk walk(in, size);
    PtcRecord rec;
    for (;;) {
        PtcWalk::Step step = walk.next(rec);
        if (step == PtcWalk::STEP_END) return true;
        if (step == PtcWalk::STEP_BAD) {
            set_failure(kReasonPtcRecord, static_cast<unsigned long long>(in.tell()));
            return false;
        }
        bool ok = false;
        char path[260];
        const ResourceKind& kind = *rec.kind;
        if (&kind == &kPrgKind) {
            ok = prg_to_text(in, size, base_path, rec.text_length);
        } else if (&kind == &kMemKind) {
            ok = mem_to_text(in, base_path);
        } else if (&kind == &kChrKind) {
            ok = chr_to_bmp(in, base_path, rec.part_name);
        } else if (&kind == &kScrKind) {
            ok = scr_to_files(in, base_path, rec.part_name);
        } else if (!format_text(path, sizeof path, "%s%s%s", base_path, rec.part_name.c_str(),
                                kind.extracted[0])) {
            set_failure(kReasonPathTooLong, job.path);
        } else if (&kind == &kColKind) {
            ok = write_bmp(in, path, 16, 16, 8, 8, kColKind, PALETTE_COL_BODY);
        } else {
            ok = write_bmp(in, path, 256, 192, 64, 64, kGrpKind, PALETTE_BUILTIN);
        }
        if (!ok) return false;
    }
}

}  // namespace tw
