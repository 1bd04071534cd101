#include "platform/files.h"

#include <algorithm>
#include <utility>

#include "platform/files_sys.h"

namespace tw {
namespace {
int64_t g_write_budget = -1;
}

void set_write_fault_budget(int64_t budget) { g_write_budget = budget; }

File::~File() { close(); }

File::File(File&& other) noexcept : handle_(std::exchange(other.handle_, -1)) {}

File& File::operator=(File&& other) noexcept {
    if (this != &other) {
        close();
        handle_ = std::exchange(other.handle_, -1);
    }
    return *this;
}

File File::open_read(const char* path) { return File(sys::open_read(path)); }

File File::open_write(const char* path) { return File(sys::open_write(path)); }

bool File::read(void* buf, size_t n, size_t* got) {
    *got = 0;
    if (!is_open()) return false;
    return sys::read(handle_, buf, n, got);
}

bool File::read_exact(void* buf, size_t n) {
    auto* p = static_cast<unsigned char*>(buf);
    while (n > 0) {
        size_t got = 0;
        if (!read(p, n, &got) || got == 0) return false;
        p += got;
        n -= got;
    }
    return true;
}

bool File::write(const void* buf, size_t n) {
    if (!is_open()) return false;
    const auto* p = static_cast<const unsigned char*>(buf);
    size_t allowed = n;
    if (g_write_budget >= 0) {
        allowed = std::min<uint64_t>(n, static_cast<uint64_t>(g_write_budget));
        g_write_budget -= static_cast<int64_t>(allowed);
    }
    size_t done = 0;
    while (done < allowed) {
        size_t written = 0;
        if (!sys::write(handle_, p + done, allowed - done, &written) || written == 0) return false;
        done += written;
    }
    return done == n;
}

bool File::size(uint64_t* out) { return is_open() && sys::size(handle_, out); }

bool File::seek_relative(int64_t offset) { return is_open() && sys::seek_relative(handle_, offset); }

bool File::truncate_here() { return is_open() && sys::truncate_here(handle_); }

bool File::close() {
    if (!is_open()) return true;
    bool ok = sys::close(handle_);
    handle_ = -1;
    return ok;
}

bool write_whole_file(const char* path, const void* data, size_t n) {
    File f = File::open_write(path);
    if (!f.is_open()) return false;
    bool ok = f.write(data, n) && f.truncate_here();
    ok = f.close() && ok;
    if (!ok) remove_file(path);
    return ok;
}

int ByteReader::next() {
    if (pos_ == len_) {
        if (failed_) return -1;
        size_t got = 0;
        if (!file_.read(buf_, sizeof buf_, &got)) failed_ = true;
        pos_ = 0;
        len_ = got;
        if (len_ == 0) return -1;
    }
    return buf_[pos_++];
}

}  // namespace tw
