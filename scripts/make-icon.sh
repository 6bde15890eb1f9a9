#!/bin/sh
# Renders the program icon resources/icons/tavro.svg into the raster sizes
# of the hicolor icon theme, resources/icons/tavro-<size>.png: 16, 24, 32,
# 48, 64, 128 and 256 pixels square. The program embeds them as its window
# icon; the install rules put them and the drawing itself into the theme.
#   scripts/make-icon.sh
# Needs rsvg-convert (librsvg2-bin) and ImageMagick's convert. The output has
# no metadata or time stamps, so an unchanged drawing gives the same files.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
dir=$root/resources/icons
command -v rsvg-convert >/dev/null || { echo "make-icon: rsvg-convert is missing" >&2; exit 1; }
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
for size in 16 24 32 48 64 128 256; do
    rsvg-convert -w "$size" -h "$size" "$dir/tavro.svg" -o "$tmp/$size.png"
    convert "$tmp/$size.png" -strip -define png:exclude-chunk=date,time,tIME,tEXt,zTXt,iTXt \
        -define png:color-type=6 -define png:bit-depth=8 "PNG32:$dir/tavro-$size.png"
done
echo "make-icon: wrote $dir/tavro-{16,24,32,48,64,128,256}.png"
