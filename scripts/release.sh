#!/usr/bin/env bash
# Builds the downloads into build/release/: the Windows zip (Tilewright.exe,
# tilewright.exe, README, LICENSE, examples), and the Linux tar.gz and .deb
# (/usr/bin/tilewright, the manual pages, the bash completion, README, LICENSE).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
out=build/release
mkdir -p "$out"
cmake --preset cli >/dev/null
cmake --build --preset cli -j"$(nproc)" --target tilewright
(cd build/cli && cpack -B "$(pwd)/../release" >/dev/null)
cmake --preset windows >/dev/null
cmake --build --preset windows -j"$(nproc)" --target Tilewright tilewright
(cd build/windows && cpack -B "$(pwd)/../release" >/dev/null)
rm -rf "$out/_CPack_Packages"
ls -1 "$out"
