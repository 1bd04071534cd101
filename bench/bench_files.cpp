#include "bench_files.h"

#include <sys/resource.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <vector>

namespace tw::bench {

std::string scratch_dir() {
    static std::string dir = [] {
        auto p = std::filesystem::temp_directory_path() / ("tw_bench_" + std::to_string(getpid()));
        std::filesystem::create_directories(p);
        return p.string();
    }();
    return dir;
}

std::string data_file(uint64_t size) {
    std::string path = scratch_dir() + "/data_" + std::to_string(size) + ".bin";
    if (std::filesystem::exists(path)) return path;
    std::ofstream out(path, std::ios::binary);
    std::vector<char> chunk(1 << 20);
    for (size_t i = 0; i < chunk.size(); ++i) chunk[i] = static_cast<char>(i * 131 + i / 4096 + 1);
    for (uint64_t done = 0; done < size;) {
        uint64_t n = std::min<uint64_t>(chunk.size(), size - done);
        out.write(chunk.data(), static_cast<std::streamsize>(n));
        done += n;
    }
    return path;
}

std::string bmp_file(int32_t width, int32_t height) {
    std::string path =
        scratch_dir() + "/img_" + std::to_string(width) + "x" + std::to_string(height) + ".bmp";
    if (std::filesystem::exists(path)) return path;
    const uint32_t stride = (static_cast<uint32_t>(width) + 3) & ~3u;
    const uint32_t offset = 14 + 40 + 1024;
    const uint32_t size = offset + stride * static_cast<uint32_t>(height);
    std::vector<uint8_t> b(size, 0);
    auto put32 = [&](size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i) b[at + i] = static_cast<uint8_t>(v >> (8 * i));
    };
    b[0] = 'B';
    b[1] = 'M';
    put32(2, size);
    put32(10, offset);
    put32(14, 40);
    put32(18, static_cast<uint32_t>(width));
    put32(22, static_cast<uint32_t>(height));
    b[26] = 1;
    b[28] = 8;
    for (int i = 0; i < 256; ++i)
        b[54 + 4 * i] = b[55 + 4 * i] = b[56 + 4 * i] = static_cast<uint8_t>(i);
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x)
            b[offset + static_cast<size_t>(y) * stride + static_cast<size_t>(x)] =
                static_cast<uint8_t>(x ^ y);
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(b.data()), static_cast<std::streamsize>(b.size()));
    return path;
}

double peak_rss_mib() {
    struct rusage ru {};
    getrusage(RUSAGE_SELF, &ru);
    return static_cast<double>(ru.ru_maxrss) / 1024.0;
}

}  // namespace tw::bench
