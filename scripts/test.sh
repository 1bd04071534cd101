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

# Adds the counts of a line "NAME: N passed, N failed" of a log to the totals.
add_result_line() {
  local line p f
  line="$(grep -E "^$1: [0-9]+ passed, [0-9]+ failed" "$2" | tail -1)"
  if [[ -z "$line" ]]; then
    echo "$3 gave no result"; failed=1; return
  fi
  p="$(sed -E 's/^[a-z]+: ([0-9]+) passed.*/\1/' <<<"$line")"
  f="$(sed -E 's/.*passed, ([0-9]+) failed.*/\1/' <<<"$line")"
  total=$((total + p + f)); bad=$((bad + f))
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
add_result_line gui "$gui_log" "the end-to-end tests"

step "release: the downloads of scripts/release.sh"
release_log=build/release-test.log
bash tests/release/check_release.sh 2>&1 | tee "$release_log" || true
add_result_line release "$release_log" "the release check"

step "fuzz: build and short runs"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j"$jobs"
if bash scripts/fuzz.sh 10; then fuzz_failed=0; else fuzz_failed=1; failed=1; fi

echo
echo "fuzz targets: $([[ $fuzz_failed == 0 ]] && echo passed || echo FAILED)"
echo "tests: $((total - bad)) passed, $bad failed"
exit $failed
