#pragma once
// Many small writes to one open file, gathered into large ones. The first
// failed write is remembered; later writes are dropped and ok() stays false.

#include <cstddef>
#include <string>
#include <string_view>

#include "common/fixed_text.h"
#include "platform/files.h"

namespace tw {

class BufferedWriter {
  public:
    explicit BufferedWriter(File& file) : file_(&file) { buf_.reserve(kCapacity); }
    // Into an output file, which cuts itself at what was written when committed.
    explicit BufferedWriter(OutputFile& out) : out_(&out) { buf_.reserve(kCapacity); }
    ~BufferedWriter() { flush(); }
    BufferedWriter(const BufferedWriter&) = delete;
    BufferedWriter& operator=(const BufferedWriter&) = delete;

    void put(std::string_view text);
    void printf(const char* fmt, ...) TW_PRINTF(2, 3);
    bool flush();
    // Flushes and cuts the file at the current position (an older, longer file is shortened).
    bool finish();
    bool ok() const { return ok_; }

  private:
    static constexpr size_t kCapacity = 1 << 16;
    bool write(const void* data, size_t n);
    File* file_ = nullptr;
    OutputFile* out_ = nullptr;
    std::string buf_;
    bool ok_ = true;
};

}  // namespace tw
