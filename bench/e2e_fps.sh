#!/bin/sh
# End-to-end frame rate of the real saver under Xvfb (Mesa llvmpipe), and of glplanet when the
# xscreensaver-gl package is installed, measured the same way in the same run: each program
# draws on the root window of a 1024x768 Xvfb screen for SECONDS seconds and is then sent
# SIGTERM. Buffer swaps are logged per second and the first WARMUP seconds are left out:
# glplanet's by a preloaded counter, the saver's by itself under --verbose, since SDL's swap
# call cannot be preloaded. The CPU
# time each process used over the whole period (all threads, load included) is printed per
# frame too: on a shared machine it varies far less than the frame rate.
# glplanet lets its planet wander over the screen from a random start, so one run may draw
# it whole and the next half off the screen; ROUNDS alternates the two programs that many
# times and ends with the median rate of each.
# Usage: bench/e2e_fps.sh [BUILD_DIR] [SECONDS] [WARMUP] [ROUNDS]
set -eu
build=$(cd "${1:-build}" && pwd)
seconds=${2:-12}
warmup=${3:-2}
rounds=${4:-1}
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
xvfb_pid=""
trap 'kill $xvfb_pid 2>/dev/null || true; rm -rf "$work"' EXIT

c++ -O2 -shared -fPIC -o "$work/swap_counter.so" "$here/swap_counter.cpp" -ldl
. "$here/../scripts/xvfb.sh"
start_xvfb "$work"
export LIBGL_ALWAYS_SOFTWARE=1 XDG_CONFIG_HOME="$work/config"

# Runs "$@" for the period under the swap counter, then prints its steady frame rate.
measure() {
    name=$1; shift
    LD_PRELOAD="$work/swap_counter.so" "$@" >"$work/$name.out" 2>"$work/$name.log" &
    pid=$!
    sleep "$seconds"
    ticks=$(awk '{print $14 + $15}' "/proc/$pid/stat" 2>/dev/null || echo 0)
    kill -TERM "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    frames=$(awk '/^swaps / { n += $2 } /^tarnel: drew / { n = $3 } END { print n + 0 }' "$work/$name.log")
    awk -v name="$name" -v ticks="$ticks" -v hz="$(getconf CLK_TCK)" -v frames="$frames" 'BEGIN {
        if (frames > 0) printf "%s: %.1f ms CPU per frame (%.2f s CPU, %d frames, loading included)\n", name, 1000 * ticks / hz / frames, ticks / hz, frames }'
    awk -v name="$name" -v skip="$warmup" '
        { sub(/^tarnel: /, "") } /^swaps / { n++; if (n > skip) { swaps += $2; span += $4 } }
        END { if (span > 0) printf "%s: %.2f fps (%d swaps in %.2f s after %d s warm-up)\n", name, swaps / span, swaps, span, skip }' "$work/$name.log" |
        tee -a "$work/rates"
    grep -h "^tarnel: drew" "$work/$name.log" || true
}

glplanet=/usr/libexec/xscreensaver/glplanet
[ -x "$glplanet" ] || echo "glplanet: not installed (apt-get install xscreensaver-gl-extra)"
: >"$work/rates"
for _ in $(seq "$rounds"); do
    measure tarnel "$build/tarnel" --root --seed 3 --verbose
    if [ -x "$glplanet" ]; then measure glplanet "$glplanet" -root -delay 0; fi
done
if [ "$rounds" -gt 1 ]; then
    for name in tarnel glplanet; do
        sed -n "s/^$name: \([0-9.]*\) fps.*/\1/p" "$work/rates" | sort -n |
            awk -v name="$name" '{ v[NR] = $1 } END { if (NR) printf "%s: median %.2f fps of %d rounds (%.2f to %.2f)\n", name, (NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2), NR, v[1], v[NR] }'
    done
fi
