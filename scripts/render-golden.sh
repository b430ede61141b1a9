#!/bin/sh
# Draws the golden frames in tests/data/golden/ anew, for review when the look changes on
# purpose: builds the golden test, runs it in its writing mode, and lists what changed.
#   scripts/render-golden.sh [BUILD_DIR]     (default: build, configured as scripts/test.sh does)
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
cmake --build "$build" --target golden_tests
TARNEL_GOLDEN_WRITE=1 "$build/tests/golden/golden_tests" --gtest_brief=1
cd "$root"
git status --short -- tests/data/golden
echo "look at every changed frame before committing it (git diff shows which)"
