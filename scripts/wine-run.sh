#!/usr/bin/env bash
# Runs a Windows program under Wine for ctest: its output goes through a file, because
# processes that Wine starts on demand (device and audio services) outlive the program
# and would hold ctest's output pipe open until they end.
set -uo pipefail
log=$(mktemp)
wine "$@" >"$log" 2>&1 </dev/null
status=$?
cat "$log"
rm -f "$log"
exit "$status"
