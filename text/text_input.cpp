#include "text/text_input.h"

#include <new>

#include "common/failure.h"
#include "common/fixed_text.h"
#include "platform/files.h"
#include "platform/input_file.h"
#include "resources/texts.h"

namespace tw {
namespace {

// Texts above this size are refused: PRG lengths are 32-bit and nothing this large is a program.
inline constexpr uint64_t kMaxTextBytes = uint64_t{1} << 30;

}  // namespace

bool read_whole_text(const char* path, std::vector<uint8_t>& out) {
    return read_input_file(path, kMaxTextBytes, kReasonTextTooLarge, out);
}

bool write_text_resource(ConvertJob& job, const ResourceKind& kind, const ResourceBuffer& buf) {
    if (!make_resource_name(job.name, job.res_name))
        copy_text(job.res_name, sizeof job.res_name, kind.tag());
    if (!ptc_output_path(job.out_path, sizeof job.out_path, job.out_dir, job.name, kind.tag())) {
        set_failure(kReasonPathTooLong, job.path);
        return false;
    }
    return write_ptc(job, buf, kind.type_code);
}

}  // namespace tw
