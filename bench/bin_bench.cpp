// Binary data to BIN: throughput beside md5sum on the same input, and peak
// memory on a 1 GiB input (one part of input is held at a time).

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "bench_files.h"
#include "convert/bin_convert.h"
#include "convert/convert_job.h"
#include "settings/settings.h"

namespace {

constexpr uint64_t kMiB = 1024 * 1024;

bool convert(const std::string& input, const std::string& out_dir) {
    std::filesystem::create_directories(out_dir);
    tw::g_settings.TextOut = 0;
    tw::g_settings.Select = 770;
    std::snprintf(tw::g_settings.User, sizeof tw::g_settings.User, "%s", out_dir.c_str());
    tw::ConvertJob job = tw::make_convert_job(input.c_str(), false);
    return tw::convert_bin(job);
}

double md5sum_seconds(const std::string& input) {
    const std::string cmd = "md5sum '" + input + "' > /dev/null";
    double best = 1e9;
    for (int i = 0; i < 3; ++i) {
        const auto start = std::chrono::steady_clock::now();
        if (std::system(cmd.c_str()) != 0) return 0;
        best = std::min(
            best, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    return best;
}

// Converting again over the outputs of an earlier run, which come out the same
// and are left alone: the conversion's own cost. vs_md5sum is the time of one
// run over md5sum's on the same input (the goal: at most 1.5).
void BM_BinConvert(benchmark::State& state) {
    uint64_t size = static_cast<uint64_t>(state.range(0)) * kMiB;
    std::string input = tw::bench::data_file(size);
    std::string out = tw::bench::scratch_dir() + "/bin_out";
    convert(input, out);  // the output files exist before the timed runs
    const double md5 = md5sum_seconds(input);
    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state)
        if (!convert(input, out)) state.SkipWithError("conversion failed");
    const double each =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() /
        static_cast<double>(std::max<benchmark::IterationCount>(state.iterations(), 1));
    std::filesystem::remove_all(out);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * size));
    if (md5 > 0) state.counters["vs_md5sum"] = each / md5;
}
BENCHMARK(BM_BinConvert)->Arg(256)->Unit(benchmark::kMillisecond)->UseRealTime();

// Into an empty folder each time: adds the file system's cost of creating 5462 files.
void BM_BinConvertFreshFolder(benchmark::State& state) {
    uint64_t size = static_cast<uint64_t>(state.range(0)) * kMiB;
    std::string input = tw::bench::data_file(size);
    std::string out = tw::bench::scratch_dir() + "/bin_fresh";
    for (auto _ : state) {
        if (!convert(input, out)) state.SkipWithError("conversion failed");
        state.PauseTiming();
        std::filesystem::remove_all(out);
        state.ResumeTiming();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * size));
}
BENCHMARK(BM_BinConvertFreshFolder)->Arg(256)->Unit(benchmark::kMillisecond)->UseRealTime();

// md5sum on the same input, for comparison: BIN conversion hashes every part too.
void BM_Md5sum(benchmark::State& state) {
    uint64_t size = static_cast<uint64_t>(state.range(0)) * kMiB;
    std::string input = tw::bench::data_file(size);
    std::string cmd = "md5sum '" + input + "' > /dev/null";
    for (auto _ : state)
        if (std::system(cmd.c_str()) != 0) state.SkipWithError("md5sum failed");
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * size));
}
BENCHMARK(BM_Md5sum)->Arg(256)->Unit(benchmark::kMillisecond)->UseRealTime();

// Peak memory of the whole process after converting 1 GiB: must stay under 32 MiB.
void BM_BinPeakMemory(benchmark::State& state) {
    uint64_t size = static_cast<uint64_t>(state.range(0)) * kMiB;
    std::string input = tw::bench::data_file(size);
    std::string out = tw::bench::scratch_dir() + "/bin_peak";
    for (auto _ : state)
        if (!convert(input, out)) state.SkipWithError("conversion failed");
    std::filesystem::remove_all(out);
    std::filesystem::remove(input);
    state.counters["peak_rss_MiB"] = tw::bench::peak_rss_mib();
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * size));
}
BENCHMARK(BM_BinPeakMemory)->Arg(1024)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
