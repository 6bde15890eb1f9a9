#!/bin/sh
# Renders the data sheet as the user gets it: the preview window and the
# exported PDF (turned into PNG with pdftoppm), SI and inch-pound, one and
# two operating cases, English, German, Russian, Polish and Chinese.
#   scripts/screenshot-pages.sh [out-dir]
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-"$root/build/screenshots/pages"}
mkdir -p "$out"
QT_QPA_PLATFORM=offscreen "$root/build/app/tavro-page-shots" "$out"
for pdf in "$out"/*.pdf; do
    pdftoppm -r 80 -png -singlefile "$pdf" "${pdf%.pdf}"
done
echo "pages rendered into $out"
