#!/bin/sh
# Installs the Python package offline into a fresh virtual environment in the
# build directory (with Debian's setuptools, wheel and pytest visible through
# --system-site-packages) and runs its pytest tests against the built library.
#   package_test.sh BUILD_DIR SOURCE_DIR LIBRARY
set -eu
build=$1
source=$2
library=$3
# Debian's interpreter: the one whose packages (python3-venv, python3-pytest,
# python3-setuptools, python3-wheel) the package list installs.
python=/usr/bin/python3
venv=$build/python-venv
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

rm -rf "$venv"
"$python" -m venv --system-site-packages "$venv"
# pip builds in the source tree; a copy keeps the checkout clean.
cp -r "$source/python" "$scratch/python"
# What an earlier `pip install ./python` left in the checkout would be
# installed instead of the sources.
rm -rf "$scratch/python/build" "$scratch/python"/*.egg-info
PIP_NO_INDEX=1 PIP_DISABLE_PIP_VERSION_CHECK=1 \
    "$venv/bin/pip" install --quiet "$scratch/python"
# The tests import the installed package, not the copy beside them.
cd "$scratch"
"$venv/bin/python" -c 'import sys, tavro; sys.exit(not tavro.__file__.startswith(sys.prefix))'
TAVRO_LIBRARY=$library "$venv/bin/python" -m pytest -q -p no:cacheprovider "$scratch/python/tests"
