#!/usr/bin/env bash
# Builds the native, sanitizer, Windows and fuzz configurations and runs every
# test: the native tests, the same tests under the sanitizers, the Windows
# tests under Wine and a short run of each fuzz target.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
source scripts/wine_env.sh
jobs="$(nproc)"
failed=0
total=0
bad=0
mkdir -p build

step() { echo; echo "=== $*"; }

# Runs ctest with the given arguments and adds its counts to the totals.
run_ctest() {
  local log=build/ctest-$1.log
  shift
  ctest "$@" 2>&1 | tee "$log" || true
  local line n f
  line="$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -1)"
  if [[ -z "$line" ]]; then
    echo "ctest gave no result"; failed=1; return
  fi
  n="$(sed -E 's/.*out of ([0-9]+).*/\1/' <<<"$line")"
  f="$(sed -E 's/.*passed, ([0-9]+) tests? failed.*/\1/' <<<"$line")"
  total=$((total + n)); bad=$((bad + f))
  ((f == 0)) || failed=1
}

step "format: every C++ file as .clang-format lays it out"
total=$((total + 1))
if clang-format --dry-run --Werror $(git ls-files '*.cpp' '*.h') >build/format.log 2>&1; then
  echo "format: clean"
else
  head -40 build/format.log
  echo "format: files differ from .clang-format (run clang-format -i on them)"
  bad=$((bad + 1)); failed=1
fi

step "linux: build"
cmake --preset linux >/dev/null
cmake --build --preset linux -j"$jobs"
step "linux: tests"
run_ctest linux --preset linux -j"$jobs"

step "asan: build"
cmake --preset asan >/dev/null
cmake --build --preset asan -j"$jobs"
step "asan: tests"
run_ctest asan --preset asan -j"$jobs"

step "windows: build"
cmake --preset windows >/dev/null
cmake --build --preset windows -j"$jobs"
tw_wine_init
step "windows: tests under Wine"
run_ctest windows --preset windows

step "windows: the desktop program end to end under Wine"
gui_log=build/gui-test.log
bash tests/gui/run_gui_tests.sh 2>&1 | tee "$gui_log" || true
gui_line="$(grep -E '^gui: [0-9]+ passed, [0-9]+ failed' "$gui_log" | tail -1)"
if [[ -z "$gui_line" ]]; then
  echo "the end-to-end tests gave no result"; failed=1
else
  gp="$(sed -E 's/^gui: ([0-9]+) passed.*/\1/' <<<"$gui_line")"
  gf="$(sed -E 's/.*passed, ([0-9]+) failed.*/\1/' <<<"$gui_line")"
  total=$((total + gp + gf)); bad=$((bad + gf))
  ((gf == 0)) || failed=1
fi

step "release: the downloads of scripts/release.sh"
release_log=build/release-test.log
bash tests/release/check_release.sh 2>&1 | tee "$release_log" || true
release_line="$(grep -E '^release: [0-9]+ passed, [0-9]+ failed' "$release_log" | tail -1)"
if [[ -z "$release_line" ]]; then
  echo "the release check gave no result"; failed=1
else
  rp="$(sed -E 's/^release: ([0-9]+) passed.*/\1/' <<<"$release_line")"
  rf="$(sed -E 's/.*passed, ([0-9]+) failed/\1/' <<<"$release_line")"
  total=$((total + rp + rf)); bad=$((bad + rf))
  ((rf == 0)) || failed=1
fi

step "fuzz: build and short runs"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j"$jobs"
if bash scripts/fuzz.sh 10; then fuzz_failed=0; else fuzz_failed=1; failed=1; fi

echo
echo "fuzz targets: $([[ $fuzz_failed == 0 ]] && echo passed || echo FAILED)"
echo "tests: $((total - bad)) passed, $bad failed"
exit $failed
