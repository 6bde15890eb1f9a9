#!/bin/sh
# Configures and builds one build tree.
#   scripts/build.sh <build-dir> [cmake options...]
# Release build with Ninja; warnings are errors so that the tree stays clean.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
dir=$1
shift
cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTAVRO_WERROR=ON "$@" >/dev/null
cmake --build "$dir" --parallel "$(nproc)"
