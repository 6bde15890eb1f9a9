#!/bin/sh
# Renders the shell's windows in every language into PNG files (offscreen).
#   scripts/screenshot-windows.sh [out-dir]
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-"$root/build/screenshots/windows"}
QT_QPA_PLATFORM=offscreen "$root/build/app/tavro-window-shots" "$out"
echo "windows rendered into $out"
