#!/usr/bin/env bash
# valgrind memcheck on a short headless run of the default package: no errors and no
# definite leaks. Skipped (status 77) where valgrind is not installed.
# Usage: memcheck_e2e.sh TARNEL DATA_PACKAGE
set -euo pipefail
tarnel=$1
package=$2
command -v valgrind >/dev/null || { echo "valgrind is not installed"; exit 77; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_CONFIG_HOME="$work/config"
unset DISPLAY
status=0
valgrind --suppressions="$(dirname "$0")/memcheck.supp" --error-exitcode=99 --leak-check=full --errors-for-leak-kinds=definite \
    --show-leak-kinds=definite --num-callers=40 \
    "$tarnel" --headless --frames "${MEMCHECK_FRAMES:-30}" --size 64x48 --data "$package" \
    >"$work/log" 2>&1 || status=$?
tail -n 20 "$work/log"
[ "$status" -eq 0 ] || { echo "FAIL: memcheck status $status"; exit 1; }
grep -q "ERROR SUMMARY: 0 errors" "$work/log" || { echo "FAIL: memcheck found errors"; exit 1; }
