#pragma once
// Byte-at-a-time reads over bytes in memory, shaped like ByteReader over a file.

#include <cstddef>
#include <cstdint>

namespace tw {

class MemoryReader {
  public:
    MemoryReader(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    int next() { return pos_ < size_ ? data_[pos_++] : -1; }

  private:
    const uint8_t* data_;
    size_t size_;
    size_t pos_ = 0;
};

}  // namespace tw
