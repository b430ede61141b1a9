#!/bin/sh
# Time from starting the saver to its first loading-screen frame on a 1024x768 Xvfb root
# window, program and library loading included: the script notes the wall clock just before
# it starts the saver, and the saver (--verbose) prints the wall clock of its first loading
# frame. Each run is ended with SIGTERM once the frame is shown.
# Usage: bench/first_frame.sh [BUILD_DIR] [RUNS]
set -eu
build=$(cd "${1:-build}" && pwd)
runs=${2:-10}
work=$(mktemp -d)
xvfb_pid=""
trap 'kill $xvfb_pid 2>/dev/null || true; rm -rf "$work"' EXIT
. "$(dirname "$0")/../scripts/xvfb.sh"
start_xvfb "$work"
export XDG_CONFIG_HOME="$work/config"

i=0
while [ "$i" -lt "$runs" ]; do
    i=$((i + 1))
    : >"$work/log"
    before=$(date +%s.%N)
    "$build/tarnel" --root --seed 3 --verbose 2>"$work/log" &
    pid=$!
    for _ in $(seq 300); do grep -q "loading screen shown" "$work/log" && break; sleep 0.01; done
    kill -TERM "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    awk -v before="$before" '/loading screen shown at/ { printf "%.1f\n", 1000 * ($6 - before) }' "$work/log"
done | sort -n | awk '{ v[NR] = $1; t += $1 } END {
    if (NR == 0) { print "no loading frame seen"; exit 1 }
    printf "first loading frame after start: median %.1f ms, min %.1f ms, max %.1f ms (%d runs)\n", v[int((NR + 1) / 2)], v[1], v[NR], NR, t }'
