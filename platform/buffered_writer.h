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
    explicit BufferedWriter(File& file) : file_(file) { buf_.reserve(kCapacity); }
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
    File& file_;
    std::string buf_;
    bool ok_ = true;
};

}  // namespace tw
