#!/bin/sh
# Resident memory of the saver over a long real-time run on a 1024x768 Xvfb root window:
# VmRSS is sampled every ten seconds, and the growth from the end of the first minute to the
# end of the run is printed (the loading and the first textures' uploads settle within it).
# Usage: bench/rss_soak.sh [BUILD_DIR] [SECONDS]
set -eu
build=$(cd "${1:-build}" && pwd)
seconds=${2:-600}
work=$(mktemp -d)
xvfb_pid=""
saver=""
trap 'kill $saver $xvfb_pid 2>/dev/null || true; rm -rf "$work"' EXIT
. "$(dirname "$0")/../scripts/xvfb.sh"
start_xvfb "$work"
export XDG_CONFIG_HOME="$work/config"

"$build/tarnel" --root --seed 3 >/dev/null 2>&1 &
saver=$!
elapsed=0
while [ "$elapsed" -lt "$seconds" ]; do
    sleep 10
    elapsed=$((elapsed + 10))
    rss=$(awk '/^VmRSS:/ { print $2 }' "/proc/$saver/status" 2>/dev/null) || { echo "the saver ended early"; exit 1; }
    echo "$elapsed $rss"
done | awk '{ print $1 " s: " $2 " kB"; if ($1 == 60) first = $2; last = $2 }
    END { if (first) printf "growth after the first minute: %+d kB\n", last - first }'
