#include "image/ptc_file.h"

#include <cstring>

#include "common/failure.h"
#include "platform/files.h"
#include "resources/texts.h"

namespace tw {

bool is_ptc_file(const char* path) {
    File f = File::open_read(path);
    char magic[4] = {};
    return f.is_open() && f.read_exact(magic, sizeof magic) && std::memcmp(magic, "PX01", 4) == 0;
}

ResourceBuffer read_ptc_resource(const char* path, const char* tag) {
    File f = File::open_read(path);
    uint64_t size = 0;
    if (!f.is_open() || !f.size(&size)) {
        set_failure(kReasonOpenInput, path);
        return {};
    }
    const uint32_t body_length = resource_body_length(tag);
    uint8_t head[kPtcHeaderLength + kTypeStringLength];
    if (body_length == 0 || size != sizeof head + uint64_t{body_length} ||
        !f.read_exact(head, sizeof head) || std::memcmp(head, "PX01", 4) != 0 ||
        std::memcmp(head + kPtcHeaderLength, "PETC", 4) != 0 ||
        std::memcmp(head + kPtcHeaderLength + 9, tag, 3) != 0) {
        set_failure(kReasonPtcKind, path, tag);
        return {};
    }
    char prefix[ResourceBuffer::kPrefixLength];
    std::memcpy(prefix, "PETITCOM", 8);
    std::memcpy(prefix + 8, head + kPtcHeaderLength, kTypeStringLength);
    ResourceBuffer buf(prefix, body_length);
    if (buf.empty()) {
        set_failure("%s", kReasonOutOfMemory.get());
        return buf;
    }
    if (!f.read_exact(buf.body(), body_length)) {
        set_failure(kReasonReadInput, path);
        return {};
    }
    return buf;
}

}  // namespace tw
