#!/usr/bin/env bash
# Installs what the tests need, builds Tarnel with its tests and benchmarks and runs every
# test. With --build-only it stops once everything is built.
# Usage: scripts/test.sh [--build-only] [build-dir]
set -euo pipefail
cd "$(dirname "$0")/.."
build_only=false
if [ "${1:-}" = --build-only ]; then build_only=true; shift; fi
build=${1:-build}
scripts/install-deps.sh --tests
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARNEL_TESTS=ON -DTARNEL_BENCH=ON >/dev/null
cmake --build "$build"
$build_only && exit 0
ctest --test-dir "$build" --output-on-failure -j2 --timeout 300
