#!/bin/sh
# Screenshots of the size selection: the sizes page and the design page in
# SI and inch-pound units, as PNG files in a folder.
#   scripts/screenshot-sizes.sh <build-dir> [folder]
# The folder defaults to <build-dir>/size-shots.
set -eu
dir=$1
out=${2:-$dir/size-shots}
mkdir -p "$out"
out=$(cd "$out" && pwd)
TAVRO_SIZE_SHOTS="$out" QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen} \
    "$dir/tests/product_windows_tests" --gtest_filter='SizeSelection.Screenshots'
ls "$out"/sizes-*.png
