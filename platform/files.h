#pragma once
// Files and folders.
//
// Input files are opened only if they exist; output files are created when
// missing and kept when present, and the writer cuts them at the end of
// what it wrote. On Windows both are opened without sharing. A File closes
// itself. Every write either writes all its bytes or reports failure.

#include <cstddef>
#include <cstdint>

namespace tw {

class File {
public:
    File() = default;
    ~File();
    File(File&& other) noexcept;
    File& operator=(File&& other) noexcept;
    File(const File&) = delete;
    File& operator=(const File&) = delete;

    static File open_read(const char* path);   // not open when the file does not exist
    static File open_write(const char* path);  // created when missing, not cut

    bool is_open() const { return handle_ >= 0; }
    // Reads up to n bytes; *got tells how many came (0 at the end). False on error.
    bool read(void* buf, size_t n, size_t* got);
    // Reads exactly n bytes; false when fewer come.
    bool read_exact(void* buf, size_t n);
    bool write(const void* buf, size_t n);
    bool size(uint64_t* out);
    bool seek_relative(int64_t offset);
    bool truncate_here();  // cut the file at the current position
    bool close();          // false when closing reported an error

private:
    explicit File(intptr_t handle) : handle_(handle) {}
    intptr_t handle_ = -1;
};

// Byte-at-a-time reads through a buffer.
class ByteReader {
public:
    explicit ByteReader(File& file) : file_(file) {}
    int next();  // the next byte, or -1 at the end or on an error
    bool failed() const { return failed_; }

private:
    File& file_;
    unsigned char buf_[65536];
    size_t pos_ = 0;
    size_t len_ = 0;
    bool failed_ = false;
};

// Writes n bytes as the whole content of path (created when missing, cut after
// them). False when anything failed; a regular file that failed part-way is removed.
bool write_whole_file(const char* path, const void* data, size_t n);

bool is_directory(const char* path);
bool make_directory(const char* path);  // one level; false when it could not be created
bool remove_file(const char* path);  // regular files only; never a device or folder
// The current directory into out[cap]; false when it does not fit.
bool current_directory(char* out, size_t cap);

// Fault injection for tests: after `budget` more bytes have been written
// (by any File), writes fail. A negative budget turns it off.
void set_write_fault_budget(int64_t budget);

}  // namespace tw
