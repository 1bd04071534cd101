// tilewright qr of a 1 MB package that needs 112 codes: compressing, cutting,
// 112 symbols, their PNGs, the sheet and the page, all written. The goal: under
// a second. The outputs of an earlier run are in place, as when a set is made again.

#include <benchmark/benchmark.h>

#include <cstring>
#include <filesystem>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "bench_files.h"
#include "cli/commands.h"
#include "platform/files.h"
#include "platform/md5.h"

namespace {

// A program package of 1 MiB whose zlib stream fills 112 codes: 69 000 bytes
// that do not compress, then zeros.
std::string package_file(const std::string& dir) {
    std::vector<uint8_t> content(12 + (1u << 20), 0);
    std::memcpy(content.data(), "PETC0300RPRG", 12);
    std::mt19937 random(27);
    for (size_t i = 24; i < 24 + 69000; ++i) content[i] = static_cast<uint8_t>(random());
    std::vector<uint8_t> hashed(content);
    hashed.insert(hashed.begin(), {'P', 'E', 'T', 'I', 'T', 'C', 'O', 'M'});
    std::vector<uint8_t> file(36, 0);
    std::memcpy(file.data(), "PX01", 4);
    const auto length = static_cast<uint32_t>(content.size());
    for (int i = 0; i < 4; ++i) file[4 + i] = static_cast<uint8_t>(length >> (8 * i));
    std::memcpy(file.data() + 12, "BENCH", 5);
    tw::md5_digest(hashed.data(), hashed.size(), file.data() + 20);
    file.insert(file.end(), content.begin(), content.end());
    const std::string path = dir + "/bench.ptc";
    tw::write_whole_file(path.c_str(), file.data(), file.size());
    return path;
}

void BM_QrPackage(benchmark::State& state) {
    const std::string dir = tw::bench::scratch_dir() + "/qr";
    std::filesystem::create_directories(dir);
    std::string input = package_file(dir), out = dir + "/out";
    std::string scale = "3", qr = "qr", o = "-o", lang = "--lang", en = "en", flag = "--scale";
    char* argv[] = {qr.data(),  qr.data(),   lang.data(),  en.data(),   o.data(),
                    out.data(), flag.data(), scale.data(), input.data()};
    if (tw::cli::run_qr(9, argv) != 0) state.SkipWithError("qr failed");
    for (auto _ : state)
        if (tw::cli::run_qr(9, argv) != 0) state.SkipWithError("qr failed");
    // A PNG a code, the sheet and the page.
    const auto files = std::distance(std::filesystem::directory_iterator(out),
                                     std::filesystem::directory_iterator{});
    state.counters["codes"] = static_cast<double>(files - 2);
    std::filesystem::remove_all(dir);
}
BENCHMARK(BM_QrPackage)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
