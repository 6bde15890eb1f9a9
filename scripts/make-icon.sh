#!/bin/sh
# Draws the program icon resources/tavro.png (128 × 128): a cross-flow
# plate package seen on its edge, in the program's blue, with the air
# streams crossing it.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
out="$root/resources/tavro.png"
convert -size 128x128 xc:none \
    -fill '#1f4e79' -stroke none -draw "roundrectangle 4,4 123,123 18,18" \
    -fill '#dfe7ef' -stroke '#0f2f4f' -strokewidth 2 -draw "polygon 64,18 110,64 64,110 18,64" \
    -stroke '#7f93a8' -strokewidth 1 \
    -draw "line 41,41 87,87" -draw "line 35,47 81,93" -draw "line 47,35 93,81" \
    -draw "line 29,53 75,99" -draw "line 53,29 99,75" \
    -stroke '#e8543c' -strokewidth 5 -draw "line 10,64 32,64" -draw "line 96,64 118,64" \
    -stroke '#3c9be8' -draw "line 64,10 64,32" -draw "line 64,96 64,118" \
    -strip -define png:exclude-chunk=time PNG32:"$out"
