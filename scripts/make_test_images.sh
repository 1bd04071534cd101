#!/usr/bin/env bash
# Makes the ImageMagick test images in tests/data/imagemagick/ (committed; run
# again only to change them). Each image is the pattern of
# tests/picture/imagemagick_test.cpp, written by ImageMagick as BMP3 (40-byte
# header) and as BMP (V5 header).
set -euo pipefail
cd "$(dirname "$0")/.."
im=/usr/bin/convert-im6.q16
[[ -x $im ]] || im=/usr/bin/convert
out=tests/data/imagemagick
mkdir -p "$out"
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT

# name width height colours: pixel (x, y) has colour (x * 3 + y * 5) % colours,
# colour i = (i * 37 % 256, i * 91 % 256, i * 53 % 256).
while read -r name w h n; do
  python3 - "$tmp/$name.ppm" "$w" "$h" "$n" <<'PY'
import sys
path, w, h, n = sys.argv[1], int(sys.argv[2]), int(sys.argv[3]), int(sys.argv[4])
pal = [(i * 37 % 256, i * 91 % 256, i * 53 % 256) for i in range(n)]
data = bytearray()
for y in range(h):
    for x in range(w):
        data += bytes(pal[(x * 3 + y * 5) % n])
open(path, "wb").write(b"P6\n%d %d\n255\n" % (w, h) + bytes(data))
PY
  $im "$tmp/$name.ppm" -type Palette -compress None "BMP3:$out/${name}_bmp3.bmp"
  $im "$tmp/$name.ppm" -type Palette -compress None "BMP:$out/${name}_v5.bmp"
done <<'LIST'
two_10x3 10 3 2
sixteen_9x5 9 5 16
many_6x4 6 4 200
many_33x7 33 7 256
LIST
ls -l "$out"
