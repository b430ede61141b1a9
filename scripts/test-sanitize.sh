#!/usr/bin/env bash
# Builds the tests with AddressSanitizer and UndefinedBehaviorSanitizer and runs the whole
# suite. No benchmarks are built. Excluded, because they cannot run under the sanitizers:
#   e2e_memcheck   runs the program under valgrind, which cannot run a sanitized binary.
#   e2e_package_lintian   checks a package of sanitized binaries, which nobody ships.
# The default scene and the pictures are taken from the native build (scripts/test.sh) when it
# has made them: generating them again under the sanitizers adds nothing the content tests miss.
# With --build-only it stops once everything is built.
# Usage: scripts/test-sanitize.sh [--build-only] [build-dir [native-build-dir]]
set -euo pipefail
cd "$(dirname "$0")/.."
build_only=false
if [ "${1:-}" = --build-only ]; then build_only=true; shift; fi
build=${1:-build-asan}
native=$(realpath -m "${2:-build}")
[ -f "$native/content.stamp" ] && [ -f "$native/data.sdd" ] && [ -f "$native/resources/icon.ico" ] || native=
# -O1 and line tables only: a sanitizer build that compiles fast and still names the line.
# Each test executable runs as one test, so its fixtures (the generated package, GL contexts)
# are made once rather than once per case.
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARNEL_SANITIZE=ON -DTARNEL_BENCH=OFF \
    -DTARNEL_TEST_WHOLE_BINARIES=ON -DTARNEL_NATIVE_BUILD="$native" \
    -DCMAKE_C_FLAGS_RELWITHDEBINFO="-O1 -g1" -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g1" >/dev/null
cmake --build "$build"
$build_only && exit 0
export ASAN_OPTIONS="strict_string_checks=1:detect_stack_use_after_return=1${ASAN_OPTIONS:+:$ASAN_OPTIONS}"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1${UBSAN_OPTIONS:+:$UBSAN_OPTIONS}"
# The test programs draw on one thread (the build sets LP_NUM_THREADS for them). The
# end-to-end runs keep llvmpipe's worker threads, and their one-second deadlines for ending on
# a signal are stretched to three, as the sanitizers slow every loading step. One ctest run,
# so the programs fill the second core beside the end-to-end runs.
TARNEL_TEST_SLOWDOWN=3 ctest --test-dir "$build" --output-on-failure -j2 --timeout 600 -E '^e2e_(memcheck|package_lintian)$'
