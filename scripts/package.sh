#!/bin/sh
# Builds the Debian package of the programs: installs what is missing,
# builds the Release tree and lets CPack write tavro_<version>-1_<arch>.deb
# into it. Install the package with apt, which brings its dependencies:
#   scripts/package.sh [build-dir]
#   sudo apt install ./build/tavro_*.deb
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-"$root/build"}
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" "$build"
cd "$build"
cpack -G DEB
ls "$build"/tavro_*.deb
