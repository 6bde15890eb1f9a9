#!/bin/sh
# Renders the vector pictures of resources/vectors into PNG files (offscreen),
# one <number>.png each, about 900 pixels along the longer side, and the
# exchanger sketch of every form of design with one and four units as
# sketches/sketch-<design>-<units>.png, at the data sheet's size at 300 dpi.
#   scripts/render-vectors.sh [out-dir] [build-dir]
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-"$root/build/screenshots/vectors"}
build=${2:-"$root/build"}
QT_QPA_PLATFORM=offscreen TAVRO_VECTOR_SHOTS="$out" \
    "$build/tests/output_vector_tests" --gtest_filter='VectorPictures.RendersForLookingAtWhenAskedTo'
QT_QPA_PLATFORM=offscreen TAVRO_SKETCH_SHOTS="$out/sketches" \
    "$build/tests/output_pages_tests" --gtest_filter='Sketch.RendersForLookingAtWhenAskedTo'
echo "vector pictures rendered into $out, sketches into $out/sketches"
