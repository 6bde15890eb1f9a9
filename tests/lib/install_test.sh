#!/bin/sh
# Installs the build into a scratch prefix, builds the C example against the
# installed tree with pkg-config and with CMake's find_package(Tavro), and
# runs both builds, and runs the Python example with the package's source
# over the installed library. Also checks that the library exports only its interface.
#   install_test.sh BUILD_DIR SOURCE_DIR LIBDIR
set -eu
build=$1
source=$2
libdir=$3
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
prefix=$scratch/prefix

cmake --install "$build" --prefix "$prefix" >/dev/null
lib=$prefix/$libdir
test -f "$prefix/include/tavro/tavro.h"
test -L "$lib/libtavro.so"
test -f "$lib/cmake/Tavro/TavroConfig.cmake"

# Only the C interface leaves the library.
exported=$(nm -D --defined-only "$lib/libtavro.so.1" | awk '$2 == "T" || $2 == "D" || $2 == "B" {print $3}')
if echo "$exported" | grep -v '^tavro_' | grep -q .; then
    echo "libtavro exports more than its interface:" >&2
    echo "$exported" | grep -v '^tavro_' | head >&2
    exit 1
fi
readelf -d "$lib/libtavro.so.1" | grep -q 'SONAME.*libtavro\.so\.1\]'

# pkg-config, from the installed tree only.
export PKG_CONFIG_PATH="$lib/pkgconfig"
test "$(pkg-config --modversion tavro)" = "$(sed -n 's/^#define TAVRO_VERSION_STRING "\(.*\)"/\1/p' "$prefix/include/tavro/tavro.h")"
# shellcheck disable=SC2046
cc -std=c99 -Wall -Wextra -Werror "$source/examples/c/calculate.c" \
    $(pkg-config --cflags --libs tavro) -o "$scratch/calculate-pc"
LD_LIBRARY_PATH=$lib "$scratch/calculate-pc" > "$scratch/pc.out"
grep -q '^Eta1Wet ' "$scratch/pc.out"

# CMake's package.
cmake -S "$source/examples/c" -B "$scratch/example" -G Ninja \
    -DCMAKE_PREFIX_PATH="$prefix" >/dev/null
cmake --build "$scratch/example" >/dev/null
"$scratch/example/calculate" > "$scratch/cmake.out"
cmp "$scratch/pc.out" "$scratch/cmake.out"
cat "$scratch/cmake.out"

# The Python example over the installed library, found by the loader's
# search path (no TAVRO_LIBRARY).
env -u TAVRO_LIBRARY LD_LIBRARY_PATH="$lib" PYTHONPATH="$source/python" \
    python3 "$source/examples/python/calculate.py" > "$scratch/python.out"
grep -q '^Eta1Wet ' "$scratch/python.out"
grep -q '^library [0-9]' "$scratch/python.out"
cat "$scratch/python.out"
