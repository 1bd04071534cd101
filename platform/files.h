#pragma once
// Files and folders.
//
// Input files are opened only if they exist. Outputs are written through an
// OutputFile: a temporary file in the same folder that takes the place of the
// older file only once it is complete, so a failure never leaves a cut file
// nor loses the older one. On Windows files are opened without sharing. A
// File closes itself. Every write either writes all its bytes or reports
// failure.

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/files_sys.h"

namespace tw {

class File {
  public:
    File() = default;
    ~File();
    File(File&& other) noexcept;
    File& operator=(File&& other) noexcept;
    File(const File&) = delete;
    File& operator=(const File&) = delete;

    static File open_read(const char* path);  // not open when the file does not exist
    // Created when missing, not cut: for files updated in place, such as the settings file.
    static File open_write(const char* path);

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
    File(const FileSystem* fs, intptr_t handle) : fs_(fs), handle_(handle) {}
    friend class OutputFile;
    const FileSystem* fs_ = nullptr;
    intptr_t handle_ = -1;
};

// An output file: written to a temporary beside `path` and put in its place by
// commit(). Until then, and whenever anything fails, the file at `path` stays
// as it was; an output that is not committed leaves nothing behind. A device
// (such as /dev/null) is written in place, having nothing to lose.
//
// While what is written matches the older file at `path` byte for byte,
// nothing is written at all: an output that comes out the same as before is
// left alone, time stamp and all, as build tools do, and a run over earlier
// outputs costs a read instead of a write, a rename and freeing the old file.
// The temporary is made at the first byte that differs.
class OutputFile {
  public:
    explicit OutputFile(const char* path);
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    bool is_open() const { return comparing_ || file_.is_open(); }
    bool write(const void* buf, size_t n);
    // Cuts the temporary at what was written, closes it and renames it over
    // `path`; when everything written equals the older file, leaves that file
    // as it is. False when any of that failed: then the temporary is gone.
    bool commit();

  private:
    bool open_temporary();
    bool start_writing();  // the first difference: the temporary takes the matched bytes
    void discard();
    std::string path_;
    std::string temp_;  // empty when writing in place
    File file_;
    File older_;              // the file at path_ while what was written matches it
    bool comparing_ = false;  // nothing written yet, everything so far equal to older_
    uint64_t matched_ = 0;
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

// Writes n bytes as the whole content of path through an OutputFile. False
// when anything failed; the older file at path is then untouched.
bool write_whole_file(const char* path, const void* data, size_t n);

bool is_directory(const char* path);
bool make_directory(const char* path);  // one level; false when it could not be created
bool remove_file(const char* path);     // regular files only; never a device or folder
// The current directory into out[cap]; false when it does not fit.
bool current_directory(char* out, size_t cap);

// Fault injection for tests: after `budget` more bytes have been written
// (by any File), writes fail. A negative budget turns it off.
void set_write_fault_budget(int64_t budget);

}  // namespace tw
