#include "image/ptc_file.h"

#include <cstring>

#include "common/failure.h"
#include "platform/files.h"
#include "resources/texts.h"

namespace tw {

bool is_ptc_file(const char* path) {
    File f = File::open_read(path);
    char magic[kPtcMagicLength] = {};
    return f.is_open() && f.read_exact(magic, sizeof magic) &&
           std::memcmp(magic, kPtcMagic, kPtcMagicLength) == 0;
}

ResourceBuffer read_ptc_resource(const char* path, const ResourceKind& kind) {
    File f = File::open_read(path);
    uint64_t size = 0;
    if (!f.is_open() || !f.size(&size)) {
        set_failure(kReasonOpenInput, path);
        return {};
    }
    const uint32_t body_length = kind.body_length;
    uint8_t head[kPtcHeaderLength + kTypeStringLength];
    const uint8_t* type_string = head + kPtcHeaderLength;
    // Any version of the type string is taken ("PETC0100RCHR" and its like), as it stands.
    if (body_length == 0 || size != sizeof head + uint64_t{body_length} ||
        !f.read_exact(head, sizeof head) || std::memcmp(head, kPtcMagic, kPtcMagicLength) != 0 ||
        std::memcmp(type_string, kind.type_string, 4) != 0 ||
        std::memcmp(type_string + 9, kind.tag(), 3) != 0) {
        set_failure(kReasonPtcKind, path, kind.tag());
        return {};
    }
    char prefix[ResourceBuffer::kPrefixLength];
    std::memcpy(prefix, kResourceMagic, kResourceMagicLength);
    std::memcpy(prefix + kResourceMagicLength, type_string, kTypeStringLength);
    ResourceBuffer buf(prefix, body_length);
    if (buf.empty()) {
        set_failure(kReasonOutOfMemory);
        return buf;
    }
    if (!f.read_exact(buf.body(), body_length)) {
        set_failure(kReasonReadInput, path);
        return {};
    }
    return buf;
}

}  // namespace tw
