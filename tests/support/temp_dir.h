#pragma once
// Scratch folders and small file helpers for tests.

#include <cstdint>
#include <string>
#include <vector>

namespace tw::test {

// A fresh folder below the system's temporary folder, removed with its contents at the end.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& path() const { return path_; }  // no trailing separator
    std::string file(const std::string& name) const { return path_ + "/" + name; }

  private:
    std::string path_;
};

std::vector<uint8_t> read_file(const std::string& path);
void write_file(const std::string& path, const std::vector<uint8_t>& bytes);
void write_file(const std::string& path, const std::string& text);
bool file_exists(const std::string& path);

// Settings and run-time values as they are without a settings file, tool folder `tool_dir`.
void reset_settings(const std::string& tool_dir);

}  // namespace tw::test
