#!/usr/bin/env bash
# The main job on the bundled examples: builds the command line and converts
# the files under examples/ into build/demo/, printing the summaries. The
# images become BG tiles (tiles.bmp, mono.bmp), 16x16 sprites (ball.bmp) and a
# graphic page (title.bmp); notes.dat becomes binary data; hello.txt a program,
# save_mem.txt the MEM$ string and stage_scr.txt a BG screen. Then level.png, a
# level drawn as one picture, becomes de-duplicated tiles and a BG screen, goes
# into a package as it stands, and the package's screen is drawn back.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh demo
cmake --preset cli >/dev/null
cmake --build --preset cli -j"$(nproc)" --target tilewright >/dev/null
tw="$(pwd)/build/cli/bin/tilewright"
out=build/demo
rm -rf "$out"
mkdir -p "$out"
cp -r examples/. "$out/"
cd "$out"
status=0
echo "$ tilewright --palette-fix yes tiles.bmp mono.bmp notes.dat hello.txt save_mem.txt stage_scr.txt"
"$tw" --palette-fix yes tiles.bmp mono.bmp notes.dat hello.txt save_mem.txt stage_scr.txt || status=1
echo
echo "$ tilewright -t 16x16 ball.bmp"
"$tw" -t 16x16 ball.bmp || status=1
echo
echo "$ tilewright -t grp title.bmp"
"$tw" -t grp title.bmp || status=1
echo
echo "$ tilewright map level.png"
"$tw" map level.png || status=1
echo
echo "$ tilewright package -o level_pkg.ptc --name LEVEL BGU0=level_CHR.ptc SCR0=level_SCR.ptc COL0=level_COL.ptc"
"$tw" package -o level_pkg.ptc --name LEVEL BGU0=level_CHR.ptc SCR0=level_SCR.ptc COL0=level_COL.ptc || status=1
echo
echo "$ tilewright render -o level_render.png --crop 0,0,256,192 level_pkg.ptc"
"$tw" render -o level_render.png --crop 0,0,256,192 level_pkg.ptc || status=1
echo
echo "outputs in $(pwd):"
ls -1 | grep -E '\.ptc$|_DATA\.txt$|_render\.png$'
exit $status
