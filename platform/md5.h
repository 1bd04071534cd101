#pragma once
// MD5 (RFC 1321) through the platform's hashing service.

#include <cstddef>
#include <cstdint>

namespace tw {

// Digest of len bytes at data into out. False when the service failed; out is then unspecified.
bool md5_digest(const void* data, size_t len, uint8_t out[16]);

// The hashing service's name and version, for --version.
const char* md5_backend_name();

}  // namespace tw
