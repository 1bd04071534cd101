#include "platform/buffered_writer.h"

#include <cstdarg>
#include <cstdio>

namespace tw {

bool BufferedWriter::write(const void* data, size_t n) {
    return file_ != nullptr ? file_->write(data, n) : out_->write(data, n);
}

void BufferedWriter::put(std::string_view text) {
    if (!ok_) return;
    if (buf_.size() + text.size() > kCapacity) flush();
    if (text.size() >= kCapacity) {
        ok_ = ok_ && write(text.data(), text.size());
        return;
    }
    buf_.append(text);
}

void BufferedWriter::printf(const char* fmt, ...) {
    char tmp[256];
    va_list args;
    va_start(args, fmt);
    int n = std::vsnprintf(tmp, sizeof tmp, fmt, args);
    va_end(args);
    if (n < 0 || static_cast<size_t>(n) >= sizeof tmp) {
        ok_ = false;  // our formats are short; a longer result is a fault, never cut silently
        return;
    }
    put(std::string_view(tmp, static_cast<size_t>(n)));
}

bool BufferedWriter::flush() {
    if (ok_ && !buf_.empty()) ok_ = write(buf_.data(), buf_.size());
    buf_.clear();
    return ok_;
}

bool BufferedWriter::finish() {
    flush();
    if (file_ != nullptr) ok_ = ok_ && file_->truncate_here();
    return ok_;
}

}  // namespace tw
