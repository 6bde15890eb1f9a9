#!/bin/sh
# Installs what is missing, builds the Release program and starts it.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" "$root/build"
exec "$root/build/app/tavro" "$@"
