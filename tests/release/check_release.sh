#!/usr/bin/env bash
# Checks the downloads of scripts/release.sh: what each archive holds, the .deb
# unpacked runs and converts an example, the zip's command line runs under Wine.
# Prints "release: N passed, N failed".
set -uo pipefail
cd "$(dirname "$0")/../.."
source scripts/wine_env.sh
version="$(sed -nE 's/^project\(Tilewright VERSION ([0-9.]+).*/\1/p' CMakeLists.txt)"
dir=build/release
passed=0
failed=0
ok() { echo "  ok   $1"; passed=$((passed + 1)); }
bad() { echo "  FAIL $1"; failed=$((failed + 1)); }
check() { if (eval "$2") >/dev/null 2>&1; then ok "$1"; else bad "$1"; fi; }

bash scripts/release.sh >build/release.log 2>&1 || bad "scripts/release.sh ran (see build/release.log)"
zip="$dir/tilewright-$version-windows-x64.zip"
tgz="$dir/tilewright-$version-linux-x86_64.tar.gz"
deb="$dir/tilewright_${version}_amd64.deb"
top="tilewright-$version-windows-x64"
zlist="$(unzip -Z1 "$zip" 2>/dev/null)"
for f in Tilewright.exe bin/tilewright.exe README.txt LICENSE examples/level.png examples/tiles.bmp; do
  check "the zip holds $f" "grep -qx '$top/$f' <<<\"\$zlist\""
done
tlist="$(tar tzf "$tgz" 2>/dev/null)"
ttop="tilewright-$version-linux-x86_64"
for f in bin/tilewright share/man/man1/tilewright.1 share/man/ja/man1/tilewright.1 \
         share/bash-completion/completions/tilewright share/doc/tilewright/README.md share/doc/tilewright/LICENSE; do
  check "the tar.gz holds $f" "grep -qx '$ttop/$f' <<<\"\$tlist\""
done
check "the .deb declares its dependencies" "dpkg-deb -f '$deb' Depends | grep -q libspng0"
unpacked="$(mktemp -d)"
trap 'rm -rf "$unpacked"' EXIT
dpkg-deb -x "$deb" "$unpacked" 2>/dev/null
check "the .deb installs /usr/bin/tilewright, its manual pages and completion" \
  "test -x '$unpacked/usr/bin/tilewright' -a -f '$unpacked/usr/share/man/man1/tilewright.1' -a -f '$unpacked/usr/share/man/ja/man1/tilewright.1' -a -f '$unpacked/usr/share/bash-completion/completions/tilewright'"
check "the .deb's tilewright --version" "'$unpacked/usr/bin/tilewright' --version | grep -q '^tilewright v'"
cp examples/tiles.bmp "$unpacked/"
check "the .deb's tilewright converts an example" \
  "cd '$unpacked' && ./usr/bin/tilewright --set TextOut=0 tiles.bmp && test -s tiles_CHR.ptc -a -s tiles_COL.ptc"
unzip -q "$zip" -d "$unpacked"
check "the zip's tilewright.exe runs under Wine" \
  "wine '$unpacked/$top/bin/tilewright.exe' --version | tr -d '\r' | grep -q '^tilewright v'"
echo "release: $passed passed, $failed failed"
((failed == 0))
