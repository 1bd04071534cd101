#pragma once
// Converting one file, and batches of files in order with one summary.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace tw {

// Builds the job of path (folders made when Create is 1) and runs the one
// converter its kind names. False for a kind without a converter.
bool convert_file(const char* path);

struct BatchCounts {
    int32_t total = 0;
    int32_t succeeded = 0;
    int32_t failed = 0;
};

// Called after each file with its index, its path and whether it converted.
using FileDone = std::function<void(size_t index, const std::string& path, bool ok)>;

// Converts paths in order, counts, and shows the summary through the
// interaction service (also when every file failed).
BatchCounts convert_batch(const std::vector<std::string>& paths, const FileDone& on_file = {});

}  // namespace tw
