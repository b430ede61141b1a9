#!/usr/bin/env bash
# Installs what the tests need, builds Tarnel with its tests and benchmarks and runs every
# test. Usage: scripts/test.sh [build-dir]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
scripts/install-deps.sh --tests
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARNEL_TESTS=ON -DTARNEL_BENCH=ON >/dev/null
cmake --build "$build"
ctest --test-dir "$build" --output-on-failure -j2 --timeout 300
