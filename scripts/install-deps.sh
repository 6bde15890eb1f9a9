#!/bin/sh
# Installs the Debian packages of scripts/debian-packages.txt that are not yet
# installed. Runs apt-get directly as root, through sudo otherwise.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
missing=""
for pkg in $(grep -v '^\s*#' "$here/debian-packages.txt" | grep -v '^\s*$'); do
    if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $pkg"
    fi
done
if [ -z "$missing" ]; then
    exit 0
fi
if [ "$(id -u)" -eq 0 ]; then
    sudo=""
else
    sudo="sudo"
fi
echo "Installing:$missing"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
# shellcheck disable=SC2086
$sudo apt-get install -y -qq --no-install-recommends $missing
