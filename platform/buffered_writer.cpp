#include "platform/buffered_writer.h"

#include <cstdarg>
#include <cstdio>

namespace tw {

void BufferedWriter::put(std::string_view text) {
    if (!ok_) return;
    if (buf_.size() + text.size() > kCapacity) flush();
    if (text.size() >= kCapacity) {
        ok_ = ok_ && file_.write(text.data(), text.size());
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
    if (ok_ && !buf_.empty()) ok_ = file_.write(buf_.data(), buf_.size());
    buf_.clear();
    return ok_;
}

bool BufferedWriter::finish() {
    flush();
    ok_ = ok_ && file_.truncate_here();
    return ok_;
}

}  // namespace tw
