#pragma once
// A file system held in memory: a second implementation of the files service.
// Fuzz targets take PTC files apart into it instead of onto the disk, and tests
// use it to make reads fail part-way.

#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace tw {

class MemoryFileSystem {
  public:
    // Puts itself in place of the file system in force; the destructor restores that.
    MemoryFileSystem();
    ~MemoryFileSystem();
    MemoryFileSystem(const MemoryFileSystem&) = delete;
    MemoryFileSystem& operator=(const MemoryFileSystem&) = delete;

    void add_file(const std::string& path, std::vector<uint8_t> bytes);
    void add_folder(const std::string& path);
    // The file's bytes, or nullptr when there is none.
    const std::vector<uint8_t>* file(const std::string& path) const;
    // Every path of a file, in order.
    std::vector<std::string> file_paths() const;
    // Forgets every file and folder.
    void clear();
    // After this many more bytes have been read (by any file), reads fail; negative: never.
    void set_read_budget(int64_t bytes) { read_budget_ = bytes; }

  private:
    struct Open {
        std::shared_ptr<std::vector<uint8_t>> bytes;
        uint64_t pos = 0;
    };
    static MemoryFileSystem* current_;
    friend struct MemoryFileCalls;
    std::map<std::string, std::shared_ptr<std::vector<uint8_t>>> files_;
    std::set<std::string> folders_;
    std::map<intptr_t, Open> open_;
    intptr_t next_handle_ = 1;
    int64_t read_budget_ = -1;
    const struct FileSystem* previous_;
};

}  // namespace tw
