// Writing PTC files: header, digest and body of the common resource sizes.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "image/ptc_container.h"

namespace {

void BM_WritePtc(benchmark::State& state) {
    tw::ResourceBuffer buf(tw::kGrpKind, static_cast<uint64_t>(state.range(0)));
    tw::ConvertJob job{};
    std::snprintf(job.out_path, sizeof job.out_path, "/tmp/tw_bench_%d.ptc",
                  static_cast<int>(state.range(0)));
    std::snprintf(job.res_name, sizeof job.res_name, "BENCH");
    for (auto _ : state) benchmark::DoNotOptimize(tw::write_ptc(job, buf, tw::kGrpKind.type_code));
    state.SetBytesProcessed(state.iterations() * state.range(0));
    std::remove(job.out_path);
}
BENCHMARK(BM_WritePtc)->Arg(512)->Arg(8192)->Arg(49152);

}  // namespace
