#!/bin/sh
# Pins the current results again: rewrites the golden files in tests/golden
# from the built tests (tests/golden/README.md). Only after a deliberate
# change of results; review the difference with git diff tests/golden.
#   scripts/update-golden.sh [build-dir]
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-"$root/build"}
cmake --build "$build" --target golden_tests
TAVRO_GOLDEN_UPDATE=1 "$build/tests/golden_tests" --gtest_brief=1
git -C "$root" diff --stat -- tests/golden
