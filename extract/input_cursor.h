#pragma once
// Reads of an input file at a position of our own, through a buffer: byte by
// byte for the record scan, in runs for record bodies, with jumps.

#include <cstddef>
#include <cstdint>

#include "platform/files.h"

namespace tw {

class InputCursor {
  public:
    explicit InputCursor(File& file) : file_(file) {}
    InputCursor(const InputCursor&) = delete;
    InputCursor& operator=(const InputCursor&) = delete;

    uint64_t tell() const { return pos_; }
    void seek(uint64_t pos) { pos_ = pos; }
    // The next byte, or -1 at the end of the file (or on a read error).
    int byte();
    // Exactly n bytes; false (position unspecified) when fewer are there.
    bool read(void* out, size_t n);

  private:
    bool fill();
    File& file_;
    uint64_t pos_ = 0;        // the position of the next byte for the caller
    uint64_t buf_start_ = 0;  // the file offset of buf_[0]
    size_t buf_len_ = 0;
    uint64_t file_pos_ = 0;  // where the file itself stands
    unsigned char buf_[65536];
};

}  // namespace tw
