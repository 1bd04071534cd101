#!/usr/bin/env bash
# Runs each fuzz target of the fuzz preset for a few seconds (default 15),
# seeded from the test corpus where one fits.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-10}"
bin=build/fuzz/bin
corpus_root=tests/data
failed=0
for target in "$bin"/fuzz_*; do
  [[ -x "$target" ]] || continue
  name="$(basename "$target")"
  work="build/fuzz/corpus/$name"
  mkdir -p "$work"
  seeds=()
  case "$name" in
    fuzz_read_bmp) [[ -d "$corpus_root/bmpsuite" ]] && seeds=("$corpus_root"/bmpsuite/*/) ;;
    fuzz_bgput|fuzz_mem_text|fuzz_prg_text) seeds=(fuzz/seeds/text) ;;
    fuzz_ptc_walk) seeds=(fuzz/seeds/ptc) ;;
    fuzz_qr_stream) seeds=(fuzz/seeds/qr) ;;
    fuzz_png) seeds=(fuzz/seeds/png) ;;
    fuzz_level_read) seeds=(fuzz/seeds/level) ;;
    fuzz_picture) seeds=(fuzz/seeds/png fuzz/seeds/picture) && [[ -d "$corpus_root/bmpsuite" ]] && seeds+=("$corpus_root"/bmpsuite/*/) ;;
  esac
  echo "fuzz: $name for ${seconds}s"
  if ! "$target" -max_total_time="$seconds" -print_final_stats=0 "$work" "${seeds[@]}" \
      >"build/fuzz/$name.log" 2>&1; then
    echo "fuzz: $name FAILED"; tail -40 "build/fuzz/$name.log"; failed=1
  fi
  rate="$(grep -o 'exec/s: [0-9]*' "build/fuzz/$name.log" | tail -1 | cut -d' ' -f2)"
  echo "fuzz: $name ran ${rate:-?} executions a second"
done
exit $failed
