#pragma once
// The system calls behind File, one implementation per platform.

#include <cstddef>
#include <cstdint>

namespace tw::sys {

intptr_t open_read(const char* path);   // -1 on failure
intptr_t open_write(const char* path);  // -1 on failure
bool read(intptr_t h, void* buf, size_t n, size_t* got);
bool write(intptr_t h, const void* buf, size_t n, size_t* written);
bool size(intptr_t h, uint64_t* out);
bool seek_relative(intptr_t h, int64_t offset);
bool truncate_here(intptr_t h);
bool close(intptr_t h);

}  // namespace tw::sys
