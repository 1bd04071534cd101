#include "extract/input_cursor.h"

#include <cstring>

namespace tw {

bool InputCursor::fill() {
    if (file_pos_ != pos_) {
        if (!file_.seek_relative(static_cast<int64_t>(pos_ - file_pos_))) return false;
        file_pos_ = pos_;
    }
    size_t got = 0;
    if (!file_.read(buf_, sizeof buf_, &got)) return false;
    buf_start_ = pos_;
    buf_len_ = got;
    file_pos_ += got;
    return got > 0;
}

int InputCursor::byte() {
    if (pos_ < buf_start_ || pos_ >= buf_start_ + buf_len_) {
        if (!fill()) return -1;
    }
    return buf_[pos_++ - buf_start_];
}

bool InputCursor::read(void* out, size_t n) {
    auto* dst = static_cast<unsigned char*>(out);
    while (n > 0) {
        if (pos_ < buf_start_ || pos_ >= buf_start_ + buf_len_) {
            if (!fill()) return false;
        }
        size_t at = static_cast<size_t>(pos_ - buf_start_);
        size_t take = buf_len_ - at < n ? buf_len_ - at : n;
        std::memcpy(dst, buf_ + at, take);
        dst += take;
        pos_ += take;
        n -= take;
    }
    return true;
}

}  // namespace tw
