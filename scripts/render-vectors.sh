#!/bin/sh
# Renders the vector pictures of resources/vectors into PNG files (offscreen),
# one <number>.png each, about 900 pixels along the longer side.
#   scripts/render-vectors.sh [out-dir] [build-dir]
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-"$root/build/screenshots/vectors"}
build=${2:-"$root/build"}
QT_QPA_PLATFORM=offscreen TAVRO_VECTOR_SHOTS="$out" \
    "$build/tests/output_vector_tests" --gtest_filter='VectorPictures.RendersForLookingAtWhenAskedTo'
echo "vector pictures rendered into $out"
