// CHR and GRP conversion of 8-bit images from 1024 x 1024 to 4096 x 4096: the
// fitted complexity shows time linear in the pixels.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "bench_files.h"
#include "convert/convert_job.h"
#include "image/chr_convert.h"
#include "image/grp_convert.h"
#include "settings/settings.h"

namespace {

tw::ConvertJob job_for(int32_t side, const std::string& out_dir) {
    std::filesystem::create_directories(out_dir);
    tw::g_settings.TextOut = 0;
    tw::g_settings.AutoTrim = 0;
    tw::g_settings.Select = 770;
    std::snprintf(tw::g_settings.User, sizeof tw::g_settings.User, "%s", out_dir.c_str());
    std::string input = tw::bench::bmp_file(side, side);
    return tw::make_convert_job(input.c_str(), false);
}

void BM_ConvertChr(benchmark::State& state) {
    int32_t side = static_cast<int32_t>(state.range(0));
    std::string out = tw::bench::scratch_dir() + "/chr_out";
    tw::ConvertJob job = job_for(side, out);
    tw::g_runtime.sprite_width = tw::g_runtime.sprite_height = 16;
    for (auto _ : state)
        if (!tw::convert_chr(job)) state.SkipWithError("conversion failed");
    std::filesystem::remove_all(out);
    state.SetComplexityN(static_cast<int64_t>(side) * side);
}
BENCHMARK(BM_ConvertChr)
    ->Arg(1024)
    ->Arg(2048)
    ->Arg(4096)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

void BM_ConvertGrp(benchmark::State& state) {
    int32_t side = static_cast<int32_t>(state.range(0));
    std::string out = tw::bench::scratch_dir() + "/grp_out";
    tw::ConvertJob job = job_for(side, out);
    for (auto _ : state)
        if (!tw::convert_grp(job)) state.SkipWithError("conversion failed");
    std::filesystem::remove_all(out);
    state.SetComplexityN(static_cast<int64_t>(side) * side);
}
BENCHMARK(BM_ConvertGrp)
    ->Arg(1024)
    ->Arg(2048)
    ->Arg(4096)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

}  // namespace
