#!/bin/sh
# Installs what is missing, builds and runs every test in two configurations:
#   build/       Release, everything (window tests on the offscreen platform)
#   build-asan/  the non-GUI libraries and their tests under AddressSanitizer
#                and UndefinedBehaviorSanitizer
#   build-tsan/  the calculation core's tests (physics, catalogue, size list)
#                and the library's thread test under ThreadSanitizer; only
#                what they need is built
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
jobs=$(nproc)
"$root/scripts/install-deps.sh"

export QT_QPA_PLATFORM=offscreen

"$root/scripts/build.sh" "$root/build"
ctest --test-dir "$root/build" --output-on-failure --parallel "$jobs" --timeout 600

# The sanitizer builds optimise less (-O1) and keep line tables only (-g1):
# reports still name file and line, and the builds take half the time.
sanitizer_flags="-O1 -g1 -DNDEBUG"

"$root/scripts/build.sh" "$root/build-asan" -DTAVRO_GUI=OFF -DTAVRO_SANITIZE=ON \
    -DTAVRO_BENCH=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="$sanitizer_flags" \
    -DCMAKE_C_FLAGS_RELWITHDEBINFO="$sanitizer_flags"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --test-dir "$root/build-asan" --output-on-failure --parallel "$jobs" --timeout 900

cmake -S "$root" -B "$root/build-tsan" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTAVRO_WERROR=ON -DTAVRO_GUI=OFF -DTAVRO_TSAN=ON -DTAVRO_BENCH=OFF \
    -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="$sanitizer_flags" \
    -DCMAKE_C_FLAGS_RELWITHDEBINFO="$sanitizer_flags" >/dev/null
cmake --build "$root/build-tsan" --parallel "$jobs" \
    --target physics_tests product_tests selection_tests lib_thread_tests
TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1 \
    ctest --test-dir "$root/build-tsan" --output-on-failure --parallel "$jobs" --timeout 900
echo "All tests passed."
