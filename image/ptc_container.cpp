#include "image/ptc_container.h"

#include <cstring>
#include <new>

#include "common/failure.h"
#include "common/little_endian.h"
#include "platform/files.h"
#include "platform/md5.h"
#include "resources/texts.h"

namespace tw {

ResourceBuffer::ResourceBuffer(const char* prefix, uint64_t body_length) {
    if (body_length > 0xFFFFFFFFull - kPrefixLength) return;
    uint32_t length = static_cast<uint32_t>(body_length + kPrefixLength);
    bytes_.reset(new uint8_t[length]());
    std::memcpy(bytes_.get(), prefix, kPrefixLength);
    length_ = length;
}

ResourceBuffer::ResourceBuffer(const ResourceKind& kind, uint64_t body_length) {
    char prefix[kPrefixLength];
    std::memcpy(prefix, kResourceMagic, kResourceMagicLength);
    std::memcpy(prefix + kResourceMagicLength, kind.type_string, kTypeStringLength);
    *this = ResourceBuffer(prefix, body_length);
}

bool make_ptc_header(const char* res_name, const uint8_t* buffer, uint32_t length,
                     uint32_t type_code, uint8_t (&header)[kPtcHeaderLength]) {
    std::memset(header, 0, sizeof header);
    if (!md5_digest(buffer, length, header + kPtcDigestOffset)) return false;
    std::memcpy(header, kPtcMagic, kPtcMagicLength);
    put_le32(header + 4, length - kResourceMagicLength);
    put_le32(header + 8, type_code);
    for (int i = 0; i < 8 && res_name[i] != '\0'; ++i) header[kPtcNameOffset + i] = res_name[i];
    return true;
}

bool write_ptc(const ConvertJob& job, const uint8_t* buffer, uint32_t length, uint32_t type_code) {
    if (buffer == nullptr || length <= ResourceBuffer::kPrefixLength) {
        set_failure(kReasonNoBody);
        return false;
    }
    uint8_t header[kPtcHeaderLength];
    // A file without its digest will not load on the target: write nothing then.
    if (!make_ptc_header(job.res_name, buffer, length, type_code, header)) {
        set_failure(kReasonDigest, job.out_path);
        return false;
    }
    OutputFile f(job.out_path);
    const bool ok = f.is_open() && f.write(header, sizeof header) &&
                    f.write(buffer + kResourceMagicLength, length - kResourceMagicLength) &&
                    f.commit();
    if (!ok) set_failure(kReasonWriteOutput, job.out_path);
    return ok;
}

bool write_ptc(const ConvertJob& job, const ResourceBuffer& buffer, uint32_t type_code) {
    return write_ptc(job, buffer.data(), buffer.length(), type_code);
}

bool make_resource_name(const char* base_name, char (&res_name)[16]) {
    char work[8] = {};
    for (int i = 0; i < 8; ++i) {
        auto c = static_cast<signed char>(base_name[i]);
        if (c < 0x20 || c > 0x7A) break;  // control bytes, 0x7B-0xFF and the end of the name
        work[i] = (c >= 0x61) ? static_cast<char>(c - 0x20) : static_cast<char>(c);
    }
    if (work[0] == '\0') return false;
    std::memcpy(res_name, work, 8);
    res_name[8] = '\0';
    return true;
}

}  // namespace tw
