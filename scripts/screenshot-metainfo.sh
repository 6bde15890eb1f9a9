#!/bin/sh
# Takes the screenshots the AppStream metadata shows and writes them into
# docs/screenshots/: the main window after a calculation, the data sheet in
# the page preview, the Mollier diagram and the size selection, in English
# with SI units. Uses the look-at programs of a built tree (offscreen).
#   scripts/screenshot-metainfo.sh [build-dir]
# resources/example.zelvanor.Tavro.metainfo.xml.in names the files with
# their sizes; update the sizes there when a window changes its size.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-"$root/build"}
out=$root/docs/screenshots
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
export QT_QPA_PLATFORM=offscreen
run() {
    "$@" >"$tmp/log" 2>&1 || { cat "$tmp/log" >&2; echo "screenshot-metainfo: $1 failed" >&2; exit 1; }
}
run "$build/app/tavro-window-shots" "$tmp/windows"
run "$build/app/tavro-page-shots" "$tmp/pages"
run "$root/scripts/screenshot-sizes.sh" "$build" "$tmp/sizes"
mkdir -p "$out"
# Without metadata, so that an unchanged window gives the same file.
keep() {
    convert "$1" -strip -define png:exclude-chunk=date,time,tIME,tEXt,zTXt,iTXt "PNG24:$out/$2"
    echo "$out/$2: $(identify -format '%wx%h' "$out/$2")"
}
keep "$tmp/windows/tavro-after-2.png" main-window.png
keep "$tmp/pages/preview-en-si-1.png" data-sheet.png
keep "$tmp/pages/chart-en-si-mollier.png" chart.png
keep "$tmp/sizes/sizes-sizes-si.png" size-selection.png
