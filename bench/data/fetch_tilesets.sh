#!/usr/bin/env bash
# Makes the palette packer's benchmark tilesets (256 x 256 PNG crops of the 8 x
# 8 and 8 x 16 tile sheets of angband-data 3.5, GPL-2 or the Angband licence)
# into the folder given; run the benchmark with TW_PACK_TILESETS=DIR.
set -euo pipefail
out="$(realpath -m "${1:?usage: fetch_tilesets.sh DIR}")"
mkdir -p "$out"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cd "$work"
apt-get download angband-data >/dev/null
dpkg-deb -x angband-data_*.deb x
graf=x/usr/share/angband/xtra/graf
while read -r name file x y; do
  convert "$file" -crop "256x256+$x+$y" +repage "PNG32:$out/$name.png"
done <<LIST
angband8x8_0_0 $graf/8x8.png 0 0
angband8x8_0_256 $graf/8x8.png 0 256
angband8x8_0_512 $graf/8x8.png 0 512
angband8x8_256_0 $graf/8x8.png 256 0
angband8x8_408_0 $graf/8x8.png 408 0
angband8x16_0_0 $graf/8x16.png 0 0
angband8x16_0_256 $graf/8x16.png 0 256
angband8x16_0_512 $graf/8x16.png 0 512
angband8x16_0_704 $graf/8x16.png 0 704
angband8x16_256_0 $graf/8x16.png 256 0
angband8x16_256_256 $graf/8x16.png 256 256
angband8x16_256_512 $graf/8x16.png 256 512
angband8x16_256_704 $graf/8x16.png 256 704
LIST
echo "tilesets in $out"
