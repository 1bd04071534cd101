#!/usr/bin/env bash
# Makes the colour reducer's benchmark pictures (512 x 512 raw RGBA) from
# Debian packages into the folder given.
set -euo pipefail
out="$(realpath -m "${1:?usage: fetch_pictures.sh DIR}")"
mkdir -p "$out"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cd "$work"
apt-get download python3-skimage pingus-data lomiri-wallpapers >/dev/null
for deb in *.deb; do dpkg-deb -x "$deb" x; done
sk=x/usr/lib/python3/dist-packages/skimage/data
pingus=x/usr/share/games/pingus/data/images
while read -r name file; do
  convert "$file" -resize 512x512^ -gravity center -extent 512x512 -alpha off -depth 8 \
    "rgba:$out/${name}_512x512.rgba"
done <<LIST
astronaut $sk/astronaut.png
chelsea $sk/chelsea.png
coffee $sk/coffee.png
pingus_worldmap $pingus/worldmaps/tutorial_layer0.jpg
pingus_desert $pingus/textures/desert_room.jpg
lomiri x/usr/share/backgrounds/lomiri-default-background.png
LIST
echo "pictures in $out"
