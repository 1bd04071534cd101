#include "platform/files.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <utility>

#include "platform/files_sys.h"
#include "platform/paths.h"

namespace tw {
namespace {

int64_t g_write_budget = -1;
const FileSystem* g_file_system = nullptr;

// Temporary names differ by a counter that starts where the clock stands, so
// two runs in one folder rarely meet; an exclusive create settles the rest.
std::atomic<uint32_t> g_temp_counter{
    static_cast<uint32_t>(std::chrono::steady_clock::now().time_since_epoch().count())};

// "<folder of path>.~twXXXXXXXX": short, so that a path that fits fits its temporary too.
std::string temp_name_for(const char* path) {
    PathParts parts;
    std::string folder;
    if (split_path(path, parts)) {
        folder = std::string(parts.drive) + parts.dir;
    } else {
        // Longer than the path fields: keep everything up to the last separator.
        folder = path;
        folder.erase(
            folder.find_last_of("/\\") == std::string::npos ? 0 : folder.find_last_of("/\\") + 1);
    }
    char name[16];
    std::snprintf(name, sizeof name, ".~tw%08X", static_cast<unsigned>(g_temp_counter++));
    return folder + name;
}

}  // namespace

const FileSystem& file_system() {
    return g_file_system ? *g_file_system : platform_file_system();
}
void set_file_system(const FileSystem* fs) {
    g_file_system = fs;
}

void set_write_fault_budget(int64_t budget) {
    g_write_budget = budget;
}

File::~File() {
    close();
}

File::File(File&& other) noexcept
    : fs_(std::exchange(other.fs_, nullptr)), handle_(std::exchange(other.handle_, -1)) {}

File& File::operator=(File&& other) noexcept {
    if (this != &other) {
        close();
        fs_ = std::exchange(other.fs_, nullptr);
        handle_ = std::exchange(other.handle_, -1);
    }
    return *this;
}

File File::open_read(const char* path) {
    const FileSystem& fs = file_system();
    return File(&fs, fs.open_read(path));
}

File File::open_write(const char* path) {
    const FileSystem& fs = file_system();
    return File(&fs, fs.open_write(path));
}

bool File::read(void* buf, size_t n, size_t* got) {
    *got = 0;
    if (!is_open()) return false;
    return fs_->read(handle_, buf, n, got);
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
        if (!fs_->write(handle_, p + done, allowed - done, &written) || written == 0) return false;
        done += written;
    }
    return done == n;
}

bool File::size(uint64_t* out) {
    return is_open() && fs_->size(handle_, out);
}

bool File::seek_relative(int64_t offset) {
    return is_open() && fs_->seek_relative(handle_, offset);
}

bool File::truncate_here() {
    return is_open() && fs_->truncate_here(handle_);
}

bool File::close() {
    if (!is_open()) return true;
    bool ok = fs_->close(handle_);
    handle_ = -1;
    return ok;
}

OutputFile::OutputFile(const char* path) : path_(path) {
    const FileSystem& fs = file_system();
    if (fs.is_directory(path)) return;  // a folder in the way: nothing to put in its place
    if (fs.is_device(path)) {
        file_ = File(&fs, fs.open_write(path));
        return;
    }
    older_ = File(&fs, fs.open_read(path));
    comparing_ = older_.is_open();
    if (!comparing_) open_temporary();
}

OutputFile::~OutputFile() {
    discard();
}

bool OutputFile::open_temporary() {
    const FileSystem& fs = file_system();
    for (int attempt = 0; attempt < 16 && !file_.is_open(); ++attempt) {
        temp_ = temp_name_for(path_.c_str());
        file_ = File(&fs, fs.create_new(temp_.c_str()));
    }
    if (!file_.is_open()) temp_.clear();
    return file_.is_open();
}

bool OutputFile::start_writing() {
    comparing_ = false;
    older_.close();
    if (!open_temporary()) return false;
    // The bytes that matched are the older file's first ones: copy them from there.
    File older = File::open_read(path_.c_str());
    unsigned char chunk[65536];
    for (uint64_t left = matched_; left > 0;) {
        const size_t n = static_cast<size_t>(std::min<uint64_t>(left, sizeof chunk));
        if (!older.read_exact(chunk, n) || !file_.write(chunk, n)) return false;
        left -= n;
    }
    return true;
}

bool OutputFile::write(const void* buf, size_t n) {
    if (comparing_) {
        const auto* p = static_cast<const unsigned char*>(buf);
        unsigned char chunk[65536];
        size_t done = 0;
        while (done < n) {
            const size_t want = std::min(n - done, sizeof chunk);
            size_t got = 0;
            if (!older_.read(chunk, want, &got) || got == 0 ||
                std::memcmp(chunk, p + done, got) != 0)
                break;
            done += got;
            matched_ += got;
        }
        if (done == n) return true;
        // Differs here (or the older file ends): the bytes of this call that
        // matched are already in matched_, the rest is written after them.
        return start_writing() && file_.write(p + done, n - done);
    }
    return file_.write(buf, n);
}

void OutputFile::discard() {
    file_.close();
    older_.close();
    comparing_ = false;
    if (!temp_.empty()) file_system().remove_file(temp_.c_str());
    temp_.clear();
}

bool OutputFile::commit() {
    if (comparing_) {
        unsigned char extra;
        size_t got = 0;
        if (older_.read(&extra, 1, &got) && got == 0) {  // the same bytes, the same length
            discard();
            return true;
        }
        if (!start_writing()) {  // the older file is longer: a shorter output replaces it
            discard();
            return false;
        }
    }
    if (!file_.is_open()) return false;
    bool ok = file_.truncate_here();
    ok = file_.close() && ok;
    if (ok && !temp_.empty()) ok = file_system().replace_file(temp_.c_str(), path_.c_str());
    if (ok) temp_.clear();
    discard();
    return ok;
}

bool write_whole_file(const char* path, const void* data, size_t n) {
    OutputFile out(path);
    return out.is_open() && out.write(data, n) && out.commit();
}

bool is_directory(const char* path) {
    return file_system().is_directory(path);
}
bool make_directory(const char* path) {
    return file_system().make_directory(path);
}
bool remove_file(const char* path) {
    return file_system().remove_file(path);
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
