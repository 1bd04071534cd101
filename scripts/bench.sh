#!/usr/bin/env bash
# Builds and runs the benchmarks (Linux). Extra arguments go to Google Benchmark,
# for example --benchmark_filter=Bin.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh linux >/dev/null
exec build/linux/bin/tilewright_bench "$@"
