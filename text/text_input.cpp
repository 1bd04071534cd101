#include "text/text_input.h"

#include <new>

#include "common/failure.h"
#include "common/fixed_text.h"
#include "platform/files.h"
#include "resources/texts.h"

namespace tw {
namespace {

// Texts above this size are refused: PRG lengths are 32-bit and nothing this large is a program.
inline constexpr uint64_t kMaxTextBytes = uint64_t{1} << 30;

}  // namespace

bool read_whole_text(const char* path, std::vector<uint8_t>& out) {
    File f = File::open_read(path);
    if (!f.is_open()) {
        set_failure(kReasonOpenInput, path);
        return false;
    }
    uint64_t size = 0;
    if (!f.size(&size)) {
        set_failure(kReasonReadInput, path);
        return false;
    }
    if (size > kMaxTextBytes) {
        set_failure("%s", kReasonTextTooLarge);
        return false;
    }
    out.resize(static_cast<size_t>(size));
    if (!f.read_exact(out.data(), out.size())) {
        set_failure(kReasonReadInput, path);
        return false;
    }
    return true;
}

bool write_text_resource(ConvertJob& job, const char* default_name, const char* fmt,
                         const ResourceBuffer& buf, uint32_t type_code) {
    if (!make_resource_name(job.name, job.res_name))
        copy_text(job.res_name, sizeof job.res_name, default_name);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
    bool fits = format_text(job.out_path, sizeof job.out_path, fmt, job.out_dir, job.name);
#pragma GCC diagnostic pop
    if (!fits) {
        set_failure(kReasonPathTooLong, job.path);
        return false;
    }
    return write_ptc(job, buf, type_code);
}

}  // namespace tw
