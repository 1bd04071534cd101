// Program text and BGPUT text: time linear in the size of the text.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "bench_files.h"
#include "convert/convert_job.h"
#include "settings/settings.h"
#include "text/prg_text.h"
#include "text/scr_screen.h"

namespace {

// About `bytes` of program text in CR LF lines of 35 bytes with escapes: 1 MiB is 30 000 lines.
std::vector<uint8_t> program_text(size_t bytes) {
    const std::string line = "PRINT \"\\E0\\E1 SCORE\";S:X=X+1 '\\\\\r\n";
    std::vector<uint8_t> text;
    text.reserve(bytes + line.size());
    while (text.size() < bytes) text.insert(text.end(), line.begin(), line.end());
    return text;
}

void BM_PrgText(benchmark::State& state) {
    tw::g_settings.PRG_ESCAPE = 1;
    tw::g_settings.PRG_Limit = 1;
    const std::vector<uint8_t> text = program_text(static_cast<size_t>(state.range(0)));
    std::vector<uint8_t> work;
    for (auto _ : state) {
        work = text;  // converted in place
        tw::ResourceBuffer b = tw::prg_body_from_text(work.data(), work.size());
        if (b.empty()) state.SkipWithError("conversion failed");
        benchmark::DoNotOptimize(b.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
    state.SetComplexityN(static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_PrgText)
    ->Arg(128 << 10)
    ->Arg(1 << 20)
    ->Arg(8 << 20)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

// 4096 statements in the form extraction writes, parsed from the file as it is read.
void BM_BgputText(benchmark::State& state) {
    std::string path = tw::bench::scratch_dir() + "/screen_scr.txt";
    {
        std::ofstream out(path, std::ios::binary);
        out << "'SCREEN DATA\r\n'\r\n";
        char line[80];
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 64; ++x) {
                std::snprintf(line, sizeof line, "BGPUT LAYER,%3d,%3d,%5d,%3d,%2d,%2d\r\n", x, y,
                              (x * 7 + y) % 1024, y % 16, x & 1, y & 1);
                out << line;
            }
    }
    tw::ConvertJob job = tw::make_convert_job(path.c_str(), false);
    for (auto _ : state) {
        tw::ResourceBuffer b = tw::build_scr_body(job);
        if (b.empty()) state.SkipWithError("parse failed");
        benchmark::DoNotOptimize(b.data());
    }
}
BENCHMARK(BM_BgputText)->Unit(benchmark::kMillisecond);

}  // namespace
