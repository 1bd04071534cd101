#pragma once
// Scratch files for benchmarks.

#include <cstdint>
#include <string>

namespace tw::bench {

// A folder for this run's files below the system's temporary folder.
std::string scratch_dir();
// A file of `size` bytes with a repeating non-zero pattern; made once per run.
std::string data_file(uint64_t size);
// An 8-bit BMP of width x height; made once per run.
std::string bmp_file(int32_t width, int32_t height);
// Peak resident memory of this process in MiB.
double peak_rss_mib();

}  // namespace tw::bench
