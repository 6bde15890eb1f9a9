#!/bin/sh
# Renders the chart window and its two layers (at twice the layer size, and
# for the widest ranges) into PNG files: Mollier and Carrier, SI and
# inch-pound, English and German, with two sample process lines; and the
# layers at 600, 845 and 977 mbar for the ranges up to 120 and 140 °C, inside
# a red outline of the rectangle they are played into (low-*.png).
#   scripts/screenshot-chart.sh [build-dir] [out-dir]
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-"$root/build"}
out=${2:-"$build/screenshots/chart"}
tests="$build/tests/chart_tests"
[ -x "$tests" ] || { echo "build chart_tests first: ninja -C $build chart_tests" >&2; exit 1; }
mkdir -p "$out"
QT_QPA_PLATFORM=offscreen TAVRO_CHART_SHOTS="$out" "$tests" --gtest_filter='ChartShots.*'
echo "chart rendered into $out"
