#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>

#include "common/fixed_text.h"
#include "platform/files.h"
#include "platform/files_sys.h"

namespace tw {
namespace sys {

intptr_t open_read(const char* path) {
    int fd;
    do fd = ::open(path, O_RDONLY | O_CLOEXEC);
    while (fd < 0 && errno == EINTR);
    if (fd < 0) return -1;
    struct stat st;
    // A folder opens on POSIX but not on Windows; treat it as unopenable here too.
    if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
        ::close(fd);
        return -1;
    }
    return fd;
}

intptr_t open_write(const char* path) {
    int fd;
    do fd = ::open(path, O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
    while (fd < 0 && errno == EINTR);
    return fd;
}

bool read(intptr_t h, void* buf, size_t n, size_t* got) {
    ssize_t r;
    do r = ::read(static_cast<int>(h), buf, n > SSIZE_MAX ? SSIZE_MAX : n);
    while (r < 0 && errno == EINTR);
    if (r < 0) return false;
    *got = static_cast<size_t>(r);
    return true;
}

bool write(intptr_t h, const void* buf, size_t n, size_t* written) {
    ssize_t r;
    do r = ::write(static_cast<int>(h), buf, n > SSIZE_MAX ? SSIZE_MAX : n);
    while (r < 0 && errno == EINTR);
    if (r < 0) return false;
    *written = static_cast<size_t>(r);
    return true;
}

bool size(intptr_t h, uint64_t* out) {
    struct stat st;
    if (::fstat(static_cast<int>(h), &st) != 0) return false;
    *out = static_cast<uint64_t>(st.st_size);
    return true;
}

bool seek_relative(intptr_t h, int64_t offset) {
    return ::lseek(static_cast<int>(h), static_cast<off_t>(offset), SEEK_CUR) >= 0;
}

bool truncate_here(intptr_t h) {
    off_t pos = ::lseek(static_cast<int>(h), 0, SEEK_CUR);
    if (pos < 0) return false;
    struct stat st;
    // Devices such as /dev/null cannot be cut and have nothing to cut.
    if (::fstat(static_cast<int>(h), &st) == 0 && !S_ISREG(st.st_mode)) return true;
    return ::ftruncate(static_cast<int>(h), pos) == 0;
}

bool close(intptr_t h) {
    return ::close(static_cast<int>(h)) == 0;
}

intptr_t create_new(const char* path) {
    int fd;
    do fd = ::open(path, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    while (fd < 0 && errno == EINTR);
    return fd;
}

bool is_device(const char* path) {
    struct stat st;
    return ::stat(path, &st) == 0 && !S_ISREG(st.st_mode) && !S_ISDIR(st.st_mode);
}

bool replace_file(const char* from, const char* to) {
    return ::rename(from, to) == 0;
}

bool is_directory(const char* path) {
    struct stat st;
    return ::stat(path, &st) == 0 && S_ISDIR(st.st_mode);
}

bool make_directory(const char* path) {
    return ::mkdir(path, 0777) == 0;
}

bool remove_file(const char* path) {
    // Only ever a regular file: an output path may name a device such as /dev/full.
    struct stat st;
    return ::lstat(path, &st) == 0 && S_ISREG(st.st_mode) && ::unlink(path) == 0;
}

}  // namespace sys

const FileSystem& platform_file_system() {
    static constexpr FileSystem kPosix = {
        sys::open_read,   sys::open_write,   sys::create_new,    sys::read,
        sys::write,       sys::size,         sys::seek_relative, sys::truncate_here,
        sys::close,       sys::is_directory, sys::is_device,     sys::make_directory,
        sys::remove_file, sys::replace_file,
    };
    return kPosix;
}

bool current_directory(char* out, size_t cap) {
    char buf[PATH_MAX];
    if (!::getcwd(buf, sizeof buf)) return false;
    return copy_text(out, cap, buf);
}

}  // namespace tw
