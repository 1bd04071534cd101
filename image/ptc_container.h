#pragma once
// The PTC container: a 36-byte header ("PX01", length, type code, name,
// MD5 digest), then the type string and the body.

#include <cstdint>
#include <memory>

#include "convert/convert_job.h"

namespace tw {

// "PETITCOM", a 12-byte type string and a body: the form in which every
// resource is built. Owns its bytes; an empty buffer means failure.
class ResourceBuffer {
  public:
    ResourceBuffer() = default;
    // A zero-filled buffer of 20 + body_length bytes starting with prefix (20
    // characters); empty when the size overflows. Memory that cannot be had
    // throws std::bad_alloc, which the conversion's entry turns into a failure.
    ResourceBuffer(const char* prefix, uint64_t body_length);

    uint8_t* data() { return bytes_.get(); }
    const uint8_t* data() const { return bytes_.get(); }
    uint32_t length() const { return length_; }
    bool empty() const { return length_ == 0; }
    uint8_t* body() { return bytes_.get() + kPrefixLength; }
    const uint8_t* body() const { return bytes_.get() + kPrefixLength; }
    uint32_t body_length() const { return length_ ? length_ - kPrefixLength : 0; }

    static constexpr uint32_t kPrefixLength = 20;

  private:
    std::unique_ptr<uint8_t[]> bytes_;
    uint32_t length_ = 0;
};

// Prefixes (magic and type string) and type codes.
inline constexpr const char* kPrefixPRG = "PETITCOMPETC0300RPRG";
inline constexpr const char* kPrefixMEM = "PETITCOMPETC0200RMEM";
inline constexpr const char* kPrefixGRP = "PETITCOMPETC0100RGRP";
inline constexpr const char* kPrefixCHR = "PETITCOMPETC0100RCHR";
inline constexpr const char* kPrefixSCR = "PETITCOMPETC0100RSCR";
inline constexpr const char* kPrefixCOL = "PETITCOMPETC0100RCOL";

enum : uint32_t {
    TYPE_CODE_PRG = 0,
    TYPE_CODE_MEM = 1,
    TYPE_CODE_GRP = 2,
    TYPE_CODE_CHR = 3,
    TYPE_CODE_SCR = 4,
    TYPE_CODE_COL = 5,
};

inline constexpr uint32_t kPtcHeaderLength = 36;
inline constexpr uint32_t kTypeStringLength = 12;

// The body length of a resource by the 3-letter tag that ends its type string
// ("CHR", "COL", "GRP", "SCR", "MEM"); 0 for a program, whose length is in its
// own header, and for an unknown tag.
uint32_t resource_body_length(const char* tag);

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
