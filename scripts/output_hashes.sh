#!/usr/bin/env bash
# Lists the SHA-256 of every file that the demo's commands and the converters
# over tests/data write, one "HASH  PATH" line a file, sorted by path. Two
# builds that should write the same bytes give the same list, so a change that
# must not change any output is checked by comparing two lists:
#
#   bash scripts/output_hashes.sh build/cli/bin/tilewright > before.txt
#   bash scripts/output_hashes.sh "wine build/windows/bin/tilewright.exe" > wine.txt
#
# The first argument is the command that runs tilewright (it may hold words).
set -uo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
tw_words=(${1:?usage: output_hashes.sh TILEWRIGHT-COMMAND})
# Paths in the command are taken from here: the runs work in other folders.
for i in "${!tw_words[@]}"; do
  [[ -e "${tw_words[$i]}" ]] && tw_words[$i]="$(realpath "${tw_words[$i]}")"
done
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

tw() { "${tw_words[@]}" --lang en "$@" >/dev/null 2>&1 </dev/null; }

# The demo, as scripts/demo.sh runs it.
mkdir -p "$work/demo"
cp -r "$root/examples/." "$work/demo/"
(
  cd "$work/demo" || exit 1
  tw --palette-fix yes tiles.bmp mono.bmp notes.dat hello.txt save_mem.txt stage_scr.txt
  tw -t 16x16 ball.bmp
  tw -t grp title.bmp
  tw map level.png
  tw package -o level_pkg.ptc --name LEVEL BGU0=level_CHR.ptc SCR0=level_SCR.ptc COL0=level_COL.ptc
  tw render -o level_render.png --crop 0,0,256,192 level_pkg.ptc
  tw level_pkg.ptc
)

# Every picture of tests/data and examples/ through each converter, one folder
# a run.
pics="$work/pictures"
mkdir -p "$pics/examples"
(cd "$root/tests/data" && tar cf - .) | (cd "$pics" && tar xf -)
cp "$root"/examples/*.bmp "$root"/examples/*.png "$pics/examples/"
mapfile -t pictures < <(cd "$pics" && find . -type f \( -iname '*.bmp' -o -iname '*.png' \) | sort)
run_over() {
  local name=$1
  shift
  cp -r "$pics" "$work/$name"
  (cd "$work/$name" && tw "$@" "${pictures[@]}")
}
run_over bg --palette-fix yes
run_over bg_no --palette-fix no
run_over grp -t grp --palette-fix yes
run_over sprites16 -t 16x16 --palette-fix yes
run_over map map -o out
run_over map_reduce map --reduce -o out
run_over map_keep map --palette keep -o out
run_over sheets sprites -t 16x16 -o out

# Only what the runs wrote: the inputs' own hashes are left out.
(
  cd "$work" || exit 1
  rm -rf pictures
  find . -type f -print0 | sort -z | xargs -0 sha256sum | while read -r hash path; do
    rel=${path#./*/}
    [[ -f "$root/tests/data/$rel" && "$(sha256sum <"$root/tests/data/$rel" | cut -d' ' -f1)" == "$hash" ]] && continue
    [[ -f "$root/examples/$rel" && "$(sha256sum <"$root/examples/$rel" | cut -d' ' -f1)" == "$hash" ]] && continue
    [[ -f "$root/examples/${rel#examples/}" && "$(sha256sum <"$root/examples/${rel#examples/}" | cut -d' ' -f1)" == "$hash" ]] && continue
    echo "$hash  ${path#./}"
  done
)
