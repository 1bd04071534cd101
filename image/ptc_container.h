#pragma once
// The PTC container: a 36-byte header (magic, length, type code, name, MD5
// digest), then the type string and the body.

#include <cstdint>
#include <memory>

#include "convert/convert_job.h"
#include "image/resource_kinds.h"

namespace tw {

// The resource magic, a 12-byte type string and a body: the form in which every
// resource is built. Owns its bytes; an empty buffer means failure.
class ResourceBuffer {
  public:
    ResourceBuffer() = default;
    // A zero-filled buffer of 20 + body_length bytes starting with prefix (20
    // characters); empty when the size overflows. Memory that cannot be had
    // throws std::bad_alloc, which the conversion's entry turns into a failure.
    ResourceBuffer(const char* prefix, uint64_t body_length);
    // The same with the magic and the kind's type string; without a length, the
    // kind's own body length.
    ResourceBuffer(const ResourceKind& kind, uint64_t body_length);
    explicit ResourceBuffer(const ResourceKind& kind) : ResourceBuffer(kind, kind.body_length) {}

    uint8_t* data() { return bytes_.get(); }
    const uint8_t* data() const { return bytes_.get(); }
    uint32_t length() const { return length_; }
    bool empty() const { return length_ == 0; }
    uint8_t* body() { return bytes_.get() + kPrefixLength; }
    const uint8_t* body() const { return bytes_.get() + kPrefixLength; }
    uint32_t body_length() const { return length_ ? length_ - kPrefixLength : 0; }

    static constexpr uint32_t kPrefixLength = kResourcePrefixLength;

  private:
    std::unique_ptr<uint8_t[]> bytes_;
    uint32_t length_ = 0;
};

// The 36-byte header that write_ptc puts before buffer bytes 8 on: magic,
// length, type code, the name (res_name up to its first NUL, at most 8 bytes)
// and the digest of the whole buffer. False when the digest cannot be computed.
bool make_ptc_header(const char* res_name, const uint8_t* buffer, uint32_t length,
                     uint32_t type_code, uint8_t (&header)[kPtcHeaderLength]);

// Writes buffer[0..length) as a PTC file at job.out_path named by job.res_name.
// Nothing is written for a buffer of 20 bytes or less, or when the digest
// cannot be computed. False when the file could not be written whole; the
// older file of that name is then untouched.
bool write_ptc(const ConvertJob& job, const uint8_t* buffer, uint32_t length, uint32_t type_code);
bool write_ptc(const ConvertJob& job, const ResourceBuffer& buffer, uint32_t type_code);

// The longest prefix (at most 8 bytes) of base_name made of bytes 0x20 to
// 0x7A, lower-case letters raised, into res_name. False (res_name unchanged)
// when that prefix is empty.
bool make_resource_name(const char* base_name, char (&res_name)[16]);

}  // namespace tw
