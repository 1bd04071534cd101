#include "platform/input_file.h"

#include "common/failure.h"
#include "platform/files.h"
#include "resources/texts.h"

namespace tw {

bool read_input_file(const char* path, uint64_t limit, const Text& too_large,
                     std::vector<uint8_t>& out) {
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
    if (size > limit) {
        set_failure(too_large);
        return false;
    }
    out.resize(static_cast<size_t>(size));
    if (!f.read_exact(out.data(), out.size())) {
        set_failure(kReasonReadInput, path);
        return false;
    }
    return true;
}

}  // namespace tw
